#include "engine/tests/PlaybackTestSupport.h"

#include "TestMedia.h"
#include "dshowbase/InfoOwners.h"
#include "engine/tests/TopDownDib.h"
#include "winowners/ComOwners.h"

#include <qedit.h>

namespace enginetest {

namespace {

constexpr uint32_t kFramesPerSecond = 5;
const standins::PcmFormat kSound{1, 8000, 16000, 2, 16};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

}  // namespace

std::vector<uint8_t> WavOfSeconds(int seconds) {
    return standintest::MakeWav(kSound, std::vector<uint8_t>(kSound.avgBytesPerSec * seconds, 0));
}

std::vector<uint8_t> AviOfSeconds(int seconds, bool withSound) {
    standintest::AviShape shape;
    shape.width = kFrameWidth;
    shape.height = kFrameHeight;
    shape.scale = 1;
    shape.rate = kFramesPerSecond;
    shape.frames = static_cast<int>(kFramesPerSecond) * seconds;
    shape.withAudio = withSound;
    shape.audio = kSound;
    shape.audioBytesPerChunk = kSound.avgBytesPerSec / kFramesPerSecond;
    return standintest::MakeAvi(shape);
}

uint8_t FirstFramePixelByte(int x, int y, int c) { return standintest::PixelByte(x, y, c, 0); }

std::wstring WriteMediaFile(const std::wstring& name, const std::vector<uint8_t>& bytes) {
    CreateDirectoryW(L"playback-media", nullptr);
    const std::wstring relative = L"playback-media\\" + name;
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(relative.c_str(), MAX_PATH, full, nullptr);
    standintest::WriteBytes(Narrow(relative), bytes);
    return full;
}

bool DetectorReadsFrames(const std::wstring& videoPath) {
    // {65BD0711-24D2-4FF7-9324-ED2E5D3ABAFA}
    const CLSID mediaDet = {0x65BD0711, 0x24D2, 0x4FF7, {0x93, 0x24, 0xED, 0x2E, 0x5D, 0x3A, 0xBA, 0xFA}};
    camera::ComPtr<IMediaDet> detector;
    if (FAILED(CoCreateInstance(mediaDet, nullptr, CLSCTX_ALL, IID_IMediaDet,
                                reinterpret_cast<void**>(detector.GetAddressOf()))))
        return false;
    const winowners::UniqueBstr name(SysAllocString(videoPath.c_str()));
    long size = 0;
    return SUCCEEDED(detector->put_Filename(name.get())) && SUCCEEDED(detector->put_CurrentStream(0)) &&
           SUCCEEDED(detector->GetBitmapBits(0.0, &size, nullptr, kFrameWidth, kFrameHeight)) && size > 0;
}

CCanvas::CCanvas(int width, int height, uint8_t fill) {
    const BITMAPINFO info = TopDownDibInfo(width, height, 24);
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<uint8_t*>(bits);
    stride_ = (width * 3 + 3) / 4 * 4;
    if (bits_ != nullptr) memset(bits_, fill, static_cast<size_t>(stride_) * height);
    memory_.reset(CreateCompatibleDC(nullptr));
    dc = memory_.get();
    selected_.emplace(dc, bitmap_.get());
}

uint8_t CCanvas::Byte(int x, int y, int c) const {
    GdiFlush();
    return bits_[y * stride_ + x * 3 + c];
}

std::vector<std::wstring> FilterNames(IGraphBuilder* graph) {
    std::vector<std::wstring> names;
    camera::ComPtr<IEnumFilters> filters;
    if (graph == nullptr || FAILED(graph->EnumFilters(filters.GetAddressOf()))) return names;
    camera::ComPtr<IBaseFilter> filter;
    while (filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        dshowbase::CFilterInfo info;
        if (SUCCEEDED(filter->QueryFilterInfo(info.put()))) names.push_back(info.Name());
    }
    return names;
}

void PlaybackTest::SetUp() {
    CoInitialize(nullptr);
    ASSERT_EQ(1, SetPreviewWnd(host_.Handle()));
    wchar_t videoName[260] = {};
    wchar_t audioName[260] = {};
    int videoCount = 0;
    int audioCount = 0;
    ASSERT_EQ(1, Initialize(camera::kModeBrowse, -1, videoName, audioName, &videoCount, &audioCount));
}

void PlaybackTest::TearDown() {
    StopPlayback();
    Uninitialize();
    CoUninitialize();
}

int PlaybackTest::Play(const std::wstring& path, HWND window) {
    seconds_ = -1.0f;
    hasVideo_ = -1;
    HDC dc = canvas_.dc;
    return PlayFile(path.c_str(), window != nullptr ? window : host_.Handle(), &seconds_, &dc, kFrameWidth,
                    kFrameHeight, &hasVideo_);
}

camera::ComPtr<IBaseFilter> FilterNamed(IGraphBuilder* graph, const wchar_t* name) {
    camera::ComPtr<IBaseFilter> filter;
    if (graph != nullptr) graph->FindFilterByName(name, filter.GetAddressOf());
    return filter;
}

}  // namespace enginetest
