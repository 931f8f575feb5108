// One owner for each GDI object that drawing a frame makes, so that every
// way out of the drawing gives them back, in the right order.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace snapframe {

class CScreenContext {
public:
    CScreenContext() : dc_(GetDC(nullptr)) {}
    ~CScreenContext()
    {
        if (dc_ != nullptr) {
            ReleaseDC(nullptr, dc_);
        }
    }
    CScreenContext(const CScreenContext&) = delete;
    CScreenContext& operator=(const CScreenContext&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

struct MemoryContextDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using UniqueMemoryContext = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryContextDeleter>;

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

// Keeps a bitmap selected into a context and puts the context's previous
// bitmap back, which must happen before either is deleted.
class CBitmapSelection {
public:
    CBitmapSelection(HDC dc, HBITMAP bitmap) : dc_(dc), previous_(SelectObject(dc, bitmap)) {}
    ~CBitmapSelection()
    {
        if (Selected()) {
            SelectObject(dc_, previous_);
        }
    }
    CBitmapSelection(const CBitmapSelection&) = delete;
    CBitmapSelection& operator=(const CBitmapSelection&) = delete;
    bool Selected() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace snapframe
