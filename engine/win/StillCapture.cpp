// Still pictures from the Sample Grabber behind the effect: one frame, or in
// the burst shoot mode five frames laid over each other.
#include "dshowbase/MediaType.h"
#include "engine/include/CameraApi.h"
#include "engine/win/CaptureEngineState.h"
#include "engine/win/ExportGuard.h"
#include "engine/win/ImageSaving.h"
#include "failtrail/FailTrail.h"

#include <gdiplus.h>

#include <cstdlib>
#include <vector>

namespace camera {

namespace GP = Gdiplus::DllExports;

namespace {

constexpr size_t kPathCapacity = 128;  // wide characters, terminator included
constexpr int kBurstShootMode = 3;

struct Frame {
    std::vector<uint8_t> bytes;
    int width = 0;
    int height = 0;
};

// The grabber's last frame and the size its media type gives. False when
// there is none yet or the grabber is not connected.
bool ReadFrame(ISampleGrabber* grabber, Frame& frame) {
    long size = 0;
    if (FAILED(grabber->GetCurrentBuffer(&size, nullptr)) || size <= 0) return false;
    dshowbase::CMediaType type;
    RETURN_VALUE_IF_FAILED(false, grabber->GetConnectedMediaType(&type));
    bool described = type.formattype == FORMAT_VideoInfo && type.pbFormat != nullptr &&
                     type.cbFormat >= sizeof(VIDEOINFOHEADER);
    if (described) {
        const auto* info = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
        frame.width = info->bmiHeader.biWidth;
        frame.height = info->bmiHeader.biHeight;
    }
    if (!described) return false;
    frame.bytes.resize(static_cast<size_t>(size));
    // The frame may have changed size since it was asked: read what fits.
    long read = size;
    RETURN_VALUE_IF_FAILED(false, grabber->GetCurrentBuffer(&read, reinterpret_cast<long*>(frame.bytes.data())));
    if (read >= 0 && static_cast<size_t>(read) < frame.bytes.size()) frame.bytes.resize(static_cast<size_t>(read));
    return true;
}

BITMAPINFOHEADER DibHeader(int width, int height, WORD bitCount) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    return header;
}

// rows: DIB rows of that bit depth, bottom-up.
int SaveDib(const CaptureEngineState& state, const std::wstring& path, uint8_t* rows, int width, int height,
            WORD bitCount) {
    BITMAPINFO info{};
    info.bmiHeader = DibHeader(width, height, bitCount);
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GP::GdipCreateBitmapFromGdiDib(&info, rows, &bitmap) != Gdiplus::Ok || bitmap == nullptr) return 0;
    const int saved = SaveImageWithEncoder(bitmap, path.c_str(), state.values.imageFileFormat,
                                           state.values.jpegQuality);
    GP::GdipDisposeImage(bitmap);
    return saved;
}

void SaveSingleFrame(CaptureEngineState& state, const std::wstring& path) {
    Frame frame;
    if (!ReadFrame(state.grabber.Get(), frame) || frame.width <= 0 || frame.height <= 0) return;
    // Only frames of exactly width x height x 3 bytes are pictures here.
    const size_t packed = static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height) * 3;
    if (frame.bytes.size() != packed) return;
    // The bytes come as packed rows, GDI+ reads rows padded to four bytes.
    std::vector<uint8_t> rows;
    if (ToDibRows(frame.bytes.data(), frame.bytes.size(), frame.width, frame.height, rows))
        SaveDib(state, path, rows.data(), frame.width, frame.height, 24);
}

void TakeBurst(CaptureEngineState& state, const std::wstring& path) {
    std::lock_guard<std::mutex> hold(state.burstLock);
    // A picture left by an earlier burst must not become part of this one.
    state.burst.Clear();
    for (int i = 0; i < kBurstFrames; ++i) {
        Frame frame;
        std::vector<uint8_t> rows;
        if (ReadFrame(state.grabber.Get(), frame) &&
            ToDibRows(frame.bytes.data(), frame.bytes.size(), frame.width, frame.height, rows)) {
            // A frame that could not be read leaves the next readable one to
            // start the picture.
            if (BurstStepOf(i) == BurstStep::Start || state.burst.Empty())
                state.burst.Start(rows.data(), frame.width, frame.height);
            else
                state.burst.Blend(rows.data(), frame.width, frame.height);
            if (BurstStepOf(i) == BurstStep::Finish) {
                std::vector<uint8_t> pixels = state.burst.Pixels();
                SaveDib(state, path, pixels.data(), state.burst.Width(), state.burst.Height(), 32);
            }
        }
        Sleep(kBurstFrameGapMs);
    }
}

int CaptureImageNow(const char* path) {
    CaptureEngineState& state = Engine();
    if (!state.values.ready || path == nullptr || !state.grabber) return 0;
    // A path that does not fit would be cut into another file's name.
    const std::wstring widePath = AnsiToWide(path);
    if (widePath.empty() || widePath.size() >= kPathCapacity) return 0;
    if (state.values.shootMode == kBurstShootMode && state.values.requestedMode == kModeImage)
        TakeBurst(state, widePath);
    else
        SaveSingleFrame(state, widePath);
    return 1;
}

}  // namespace

}  // namespace camera

using namespace camera;

CAMERA_API int CAMERA_CALL CaptureImage(const char* path) {
    return GuardedExport([=] { return CaptureImageNow(path); });
}
