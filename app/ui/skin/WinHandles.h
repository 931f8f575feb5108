// Owners for the handles the skin layer creates: one owner each, released
// when the owner goes.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace vimbrel::ui {

struct FileCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
// CreateFile reports failure as INVALID_HANDLE_VALUE; callers normalise it
// to null through OwnFile so that the owner's bool test means "open".
using UniqueFile = std::unique_ptr<std::remove_pointer_t<HANDLE>, FileCloser>;
inline UniqueFile OwnFile(HANDLE h) {
    return UniqueFile(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

struct LibraryFreer {
    void operator()(HMODULE m) const {
        if (m) FreeLibrary(m);
    }
};
using UniqueLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFreer>;

struct GdiObjectDeleter {
    void operator()(HGDIOBJ h) const {
        if (h) DeleteObject(h);
    }
};
using UniqueRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;

struct MemoryDCDeleter {
    void operator()(HDC dc) const {
        if (dc) DeleteDC(dc);
    }
};
using UniqueMemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDCDeleter>;

// Selects an object into a DC for as long as it lives, then puts the old
// one back (a bitmap must leave its DC before it can be deleted).
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~CSelectObject() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    bool Ok() const { return old_ != nullptr && old_ != HGDI_ERROR; }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace vimbrel::ui
