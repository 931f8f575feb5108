// Owners for the GDI objects that drawing a frame needs: each gives its
// object back on every path out of the function that made it.
#pragma once

#include <windows.h>

namespace camera {

// The screen's device context, from GetDC(NULL).
class CScreenDC {
public:
    CScreenDC() : dc_(GetDC(nullptr)) {}
    ~CScreenDC()
    {
        if (dc_ != nullptr)
            ReleaseDC(nullptr, dc_);
    }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// A memory device context compatible with another.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~CMemoryDC()
    {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

class CGdiBitmap {
public:
    explicit CGdiBitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
    ~CGdiBitmap()
    {
        if (bitmap_ != nullptr)
            DeleteObject(bitmap_);
    }
    CGdiBitmap(const CGdiBitmap&) = delete;
    CGdiBitmap& operator=(const CGdiBitmap&) = delete;
    HBITMAP Get() const { return bitmap_; }

private:
    HBITMAP bitmap_;
};

// Selects an object into a device context and puts the previous one back,
// so that the object can be deleted afterwards.
class CSelection {
public:
    CSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~CSelection()
    {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;
    bool Selected() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace camera
