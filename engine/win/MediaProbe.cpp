#include "engine/win/MediaProbe.h"

#include "engine/win/FrameDrawing.h"
#include "failtrail/FailTrail.h"
#include "winowners/ComOwners.h"

#include <qedit.h>

#include <cstdint>
#include <new>
#include <vector>

namespace camera {

namespace {

// The media detector of the editing services; the MinGW headers declare
// its interface but not its class.
// {65BD0711-24D2-4FF7-9324-ED2E5D3ABAFA}
constexpr GUID kClsidMediaDet = {0x65BD0711, 0x24D2, 0x4FF7, {0x93, 0x24, 0xED, 0x2E, 0x5D, 0x3A, 0xBA, 0xFA}};

// Makes the first video stream the detector's current one. S_FALSE when
// the file has none; streams whose type cannot be read are passed over.
HRESULT SelectFirstVideoStream(IMediaDet* detector) {
    long streams = 0;
    RETURN_IF_FAILED(detector->get_OutputStreams(&streams));
    for (long i = 0; i < streams; ++i) {
        GUID type = GUID_NULL;
        if (FAILED(detector->put_CurrentStream(i)) || FAILED(detector->get_StreamType(&type))) continue;
        if (type == MEDIATYPE_Video) return S_OK;
    }
    return S_FALSE;
}

HRESULT DrawFirstFrame(IMediaDet* detector, HDC dc, int width, int height) {
    long size = 0;
    RETURN_IF_FAILED(detector->GetBitmapBits(0.0, &size, nullptr, width, height));
    if (size <= 0) return E_FAIL;
    std::vector<uint8_t> frame;
    try {
        frame.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    RETURN_IF_FAILED(detector->GetBitmapBits(0.0, nullptr, reinterpret_cast<char*>(frame.data()), width, height));
    return DrawPackedDib(dc, frame.data(), frame.size(), width, height);
}

}  // namespace

HRESULT ProbeMediaFile(const wchar_t* path, HDC dc, int width, int height, MediaProbeResult& result) {
    result = MediaProbeResult{};
    if (path == nullptr || width < 0 || height < 0) return E_INVALIDARG;
    ComPtr<IMediaDet> detector;
    HRESULT hr = CoCreateInstance(kClsidMediaDet, nullptr, CLSCTX_ALL, IID_IMediaDet,
                                  reinterpret_cast<void**>(detector.GetAddressOf()));
    if (FAILED(hr)) return hr;
    // put_Filename takes a BSTR: the path goes over as a real one, with its
    // length in front, whatever the detector does with it.
    const winowners::UniqueBstr fileName(SysAllocString(path));
    RETURN_IF_NULL_ALLOC(fileName);
    RETURN_IF_FAILED(detector->put_Filename(fileName.get()));
    RETURN_IF_FAILED(detector->get_StreamLength(&result.seconds));
    hr = SelectFirstVideoStream(detector.Get());
    if (FAILED(hr)) return hr;
    if (hr == S_FALSE) return S_OK;
    RETURN_IF_FAILED(DrawFirstFrame(detector.Get(), dc, width, height));
    result.hasVideo = true;
    return S_OK;
}

}  // namespace camera
