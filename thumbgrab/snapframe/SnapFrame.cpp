// snapframe.dll: draws the first frame of a video file into a device
// context, for the video browser's thumbnails. It keeps no state.
#include "ComApartment.h"
#include "DibDrawing.h"
#include "FirstVideoFrame.h"
#include "CallGuard.h"
#include "winowners/ComOwners.h"

#include <windows.h>
#include <oleauto.h>
#include <qedit.h>
#include <wrl/client.h>

#include <vector>

using Microsoft::WRL::ComPtr;

// Result 1 with *found = 1: the frame is drawn at (0, 0) of *dc at
// width x height. Result 1 with *found = 0: the file has no video stream and
// nothing was drawn. Result 0: bad arguments, or the detector or GDI failed.
namespace {

int SnapFrameNow(BSTR fileName, HDC* dc, long width, long height, int* found) {
    if (width < 0 || height < 0 || fileName == nullptr || found == nullptr) {
        return 0;
    }
    snapframe::CComApartment com;
    if (!com.Usable()) {
        return 0;
    }
    // Callers hand over plain wide strings as often as real BSTRs; a copy
    // made from the terminated text is a real BSTR either way, so the
    // detector never reads a length prefix that is not there.
    const winowners::UniqueBstr name(SysAllocString(fileName));
    if (!name) {
        return 0;
    }
    ComPtr<IMediaDet> detector;
    if (FAILED(CoCreateInstance(__uuidof(MediaDet), nullptr, CLSCTX_ALL, IID_PPV_ARGS(&detector)))) {
        return 0;
    }
    bool hasVideo = false;
    if (FAILED(snapframe::SelectFirstVideoStream(detector.Get(), name.get(), &hasVideo))) {
        return 0;
    }
    if (!hasVideo) {
        *found = 0;
        return 1;
    }
    // Only a file with pictures needs somewhere to draw them.
    if (dc == nullptr || *dc == nullptr) {
        return 0;
    }
    std::vector<uint8_t> frame;
    if (FAILED(snapframe::ReadFrameAtStart(detector.Get(), width, height, &frame))) {
        return 0;
    }
    if (!snapframe::DrawPackedDib(*dc, frame, width, height)) {
        return 0;
    }
    *found = 1;
    return 1;
}

}  // namespace

// Outside the anonymous namespace: the runtime's DLL entry calls it by name.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" int __cdecl SnapFrame(BSTR fileName, HDC* dc, long width, long height, int* found) {
    return boundary::GuardedValue(0, [&] { return SnapFrameNow(fileName, dc, width, height, found); });
}
