// snapframe.dll loaded by file name and bound by its undecorated export
// name, as the thumbnail cache binds it.
#pragma once

#include <windows.h>

namespace snapframetest {

class CSnapFrameLibrary {
public:
    using SnapFrameFn = int(__cdecl*)(BSTR, HDC*, long, long, int*);

    CSnapFrameLibrary();
    ~CSnapFrameLibrary();
    CSnapFrameLibrary(const CSnapFrameLibrary&) = delete;
    CSnapFrameLibrary& operator=(const CSnapFrameLibrary&) = delete;

    bool IsBound() const { return snapFrame_ != nullptr; }
    int SnapFrame(BSTR fileName, HDC* dc, long width, long height, int* found) const {
        return snapFrame_(fileName, dc, width, height, found);
    }

private:
    HMODULE module_;
    SnapFrameFn snapFrame_ = nullptr;
};

}  // namespace snapframetest
