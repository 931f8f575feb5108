#include "FirstVideoFrame.h"

#include "PackedDib.h"

#include <uuids.h>

#include <new>

namespace snapframe {

HRESULT SelectFirstVideoStream(IMediaDet* detector, BSTR fileName, bool* hasVideo) {
    *hasVideo = false;
    HRESULT hr = detector->put_Filename(fileName);
    if (FAILED(hr)) {
        return hr;
    }
    LONG streams = 0;
    hr = detector->get_OutputStreams(&streams);
    if (FAILED(hr)) {
        return hr;
    }
    for (LONG i = 0; i < streams; ++i) {
        GUID type = GUID_NULL;
        if (FAILED(detector->put_CurrentStream(i)) || FAILED(detector->get_StreamType(&type))) {
            continue;
        }
        if (IsEqualGUID(type, MEDIATYPE_Video)) {
            *hasVideo = true;
            return S_OK;
        }
    }
    return S_OK;
}

HRESULT ReadFrameAtStart(IMediaDet* detector, long width, long height, std::vector<uint8_t>* dib) {
    LONG size = 0;
    HRESULT hr = detector->GetBitmapBits(0.0, &size, nullptr, width, height);
    if (FAILED(hr)) {
        return hr;
    }
    if (size < static_cast<LONG>(kDibHeaderSize)) {
        return E_UNEXPECTED;
    }
    try {
        dib->assign(static_cast<size_t>(size), 0);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    hr = detector->GetBitmapBits(0.0, nullptr, reinterpret_cast<char*>(dib->data()), width, height);
    if (FAILED(hr)) {
        return hr;
    }
    // The header is the detector's word on how many bytes GDI will read.
    return ReadPackedDib(dib->data(), dib->size()) ? S_OK : E_UNEXPECTED;
}

}  // namespace snapframe
