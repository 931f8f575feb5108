// The motion filter's COM identities, its settings interface and its graph
// events, for the filter itself and for the programs that drive it.
#pragma once

#include <windows.h>
#include <unknwn.h>

// {A386EF69-3C8B-495C-9FBE-C021A0FE575F}
inline constexpr CLSID CLSID_MotionFilter = {
    0xa386ef69, 0x3c8b, 0x495c, {0x9f, 0xbe, 0xc0, 0x21, 0xa0, 0xfe, 0x57, 0x5f}};
// {43072FA3-AEA0-4ED5-9751-C4BBB3FE81E9}
inline constexpr CLSID CLSID_MotionFilterPage = {
    0x43072fa3, 0xaea0, 0x4ed5, {0x97, 0x51, 0xc4, 0xbb, 0xb3, 0xfe, 0x81, 0xe9}};
// {E38A856E-0C12-4888-A5E5-5F9DBEC66D1E}
inline constexpr IID IID_IMotionControl = {
    0xe38a856e, 0x0c12, 0x4888, {0xa5, 0xe5, 0x5f, 0x9d, 0xbe, 0xc6, 0x6d, 0x1e}};

// Graph events (above EC_USER). EC_MOTION_DETECTED carries the motion
// rectangle: param1 = MAKELONG(left, top), param2 = MAKELONG(right, bottom).
// EC_BASE_FRAME_SET carries 0, 0.
#define EC_MOTION_DETECTED 0x8064
#define EC_BASE_FRAME_SET 0x8065

// Detection modes and states as SetDetectParams takes and GetParams reports them.
#define MOTION_MODE_FIXED 0
#define MOTION_MODE_DYNAMIC 1
#define MOTION_STATE_IDLE 0
#define MOTION_STATE_DETECTING 1
#define MOTION_STATE_RESET 2

struct IMotionControl : public IUnknown {
    // level 0..10 (above 10 counts as 10), mode 1 dynamic / 0 fixed base
    // frame; the rectangle, when given, comes back as the detection area.
    virtual HRESULT STDMETHODCALLTYPE SetDetectParams(int level, int mode, RECT* rect) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDetectInterval(int milliseconds) = 0;
    // 1: marks are rectangles, 0: outlines.
    virtual HRESULT STDMETHODCALLTYPE MarkMotionRect(int* flag) = 0;
    // 1: marks are drawn onto the output video.
    virtual HRESULT STDMETHODCALLTYPE MarkMotionOnVideo(int* flag) = 0;
    // E_FAIL before the filter streamed.
    virtual HRESULT STDMETHODCALLTYPE StartDetect() = 0;
    virtual HRESULT STDMETHODCALLTYPE StopDetect() = 0;
    // The header always; with buffer null the size needed, else the RGB24
    // base frame when *size holds at least that.
    virtual HRESULT STDMETHODCALLTYPE GetBaseFrame(BITMAPINFOHEADER* header, BYTE* buffer, DWORD* size) = 0;
    virtual HRESULT STDMETHODCALLTYPE ResetBaseFrame() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetParams(int* level, int* mode, int* state, int* interval, RECT* rect,
                                                int* markRect, int* markVideo) = 0;
};

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IMotionControl, 0xe38a856e, 0x0c12, 0x4888, 0xa5, 0xe5, 0x5f, 0x9d, 0xbe, 0xc6, 0x6d, 0x1e)
#endif
