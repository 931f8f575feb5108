// Owners for what drawing borrows or makes: GDI objects, memory DCs, a
// window's DC, a paint, and an object selected into a DC. The borrowed
// ones are acquired through the functions at the end, which return the
// owner so that no path out of the drawing forgets to give them back.
#pragma once

#include "winowners/UniqueOwner.h"

#include <windows.h>

#include <utility>

namespace winowners {

// DeleteObject takes any GDI object; each kind keeps its own handle type
// so that get() needs no cast.
template <class Object>
using UniqueGdiObject = UniqueAny<Object, &::DeleteObject>;

using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniquePen = UniqueGdiObject<HPEN>;
using UniqueRegion = UniqueGdiObject<HRGN>;

// A DC of our own, from CreateCompatibleDC or CreateDC.
using UniqueMemoryDC = UniqueAny<HDC, &::DeleteDC>;

// A window's DC (or the screen's, for a null window) from GetDC; it goes
// back to the window it came from. Movable, so that a window can keep one
// for its lifetime.
class UniqueWindowDC {
public:
    UniqueWindowDC() noexcept = default;
    explicit UniqueWindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~UniqueWindowDC() { reset(); }
    UniqueWindowDC(UniqueWindowDC&& other) noexcept : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    UniqueWindowDC& operator=(UniqueWindowDC&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = other.window_;
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    UniqueWindowDC(const UniqueWindowDC&) = delete;
    UniqueWindowDC& operator=(const UniqueWindowDC&) = delete;

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    void reset() noexcept {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, std::exchange(dc_, nullptr));
        }
    }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// A paint between BeginPaint and EndPaint.
class UniquePaint {
public:
    explicit UniquePaint(HWND window) noexcept : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~UniquePaint() {
        if (dc_ != nullptr) {
            ::EndPaint(window_, &paint_);
        }
    }
    UniquePaint(const UniquePaint&) = delete;
    UniquePaint& operator=(const UniquePaint&) = delete;

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }
    const PAINTSTRUCT& paint() const noexcept { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// An object selected into a DC; the DC's previous object goes back when
// the selection ends, since an object must leave its DC before it can be
// deleted. The bool test says whether the selection took.
class UniqueSelection {
public:
    UniqueSelection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~UniqueSelection() {
        if (*this) {
            ::SelectObject(dc_, previous_);
        }
    }
    UniqueSelection(const UniqueSelection&) = delete;
    UniqueSelection& operator=(const UniqueSelection&) = delete;

    explicit operator bool() const noexcept { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Acquiring calls; each returns the owner (no copy is made: the owner is
// built where the caller keeps it).
inline UniqueWindowDC GetDCOwner(HWND window) noexcept { return UniqueWindowDC(window); }
inline UniquePaint BeginPaintOwner(HWND window) noexcept { return UniquePaint(window); }
inline UniqueSelection SelectObjectOwner(HDC dc, HGDIOBJ object) noexcept { return UniqueSelection(dc, object); }

}  // namespace winowners
