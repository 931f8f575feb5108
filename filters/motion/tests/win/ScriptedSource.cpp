#include "ScriptedSource.h"

#include <memory>

namespace motiontest {

namespace {

// {5B0F6C31-92D4-4E0B-8A77-3C61E2D4F901}: a test-only class id.
const CLSID CLSID_ScriptedSource = {0x5b0f6c31, 0x92d4, 0x4e0b, {0x8a, 0x77, 0x3c, 0x61, 0xe2, 0xd4, 0xf9, 0x01}};

class CScriptedPin : public dshowbase::CSourceStreamPin {
public:
    CScriptedPin(CScriptedSource* source, dshowbase::CCritSec* lock, const dshowbase::CMediaType& type)
        : CSourceStreamPin(L"scripted pin", source, lock, L"Out"), source_(source), type_(type) {}

    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override {
        return *type == type_ ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int position, dshowbase::CMediaType* type) override {
        if (position < 0) return E_INVALIDARG;
        if (position > 0) return VFW_S_NO_MORE_ITEMS;
        *type = type_;
        return S_OK;
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override {
        request->cBuffers = 2;
        request->cbBuffer = static_cast<long>(dshowbase::FrameBufferSize(type_));
        if (request->cbAlign < 1) request->cbAlign = 1;
        ALLOCATOR_PROPERTIES actual{};
        const HRESULT hr = allocator->SetProperties(request, &actual);
        if (FAILED(hr)) return hr;
        return actual.cbBuffer < request->cbBuffer ? E_FAIL : S_OK;
    }
    HRESULT FillBuffer(IMediaSample* sample, LONGLONG) override {
        BYTE* data = nullptr;
        if (FAILED(sample->GetPointer(&data))) return E_FAIL;
        return sample->SetActualDataLength(source_->Paint(data, sample->GetSize()));
    }
    REFERENCE_TIME BufferDuration() override { return 200000; }  // 50 frames a second

private:
    CScriptedSource* source_;
    dshowbase::CMediaType type_;
};

}  // namespace

CScriptedSource::CScriptedSource(const dshowbase::CMediaType& type, FramePainter painter)
    : CSourceFilter(L"scripted source", CLSID_ScriptedSource), painter_(std::move(painter)) {
    AddPin(std::make_unique<CScriptedPin>(this, &filterLock_, type));
}

long CScriptedSource::Paint(BYTE* data, long size) { return painter_(painted_++, data, size); }

dshowbase::CMediaType VideoInfoType(int width, int height, WORD bitCount, const GUID& subtype) {
    dshowbase::CMediaType type(MEDIATYPE_Video);
    type.subtype = subtype;
    type.formattype = FORMAT_VideoInfo;
    auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormat(sizeof(VIDEOINFOHEADER)));
    info->AvgTimePerFrame = 200000;
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = bitCount;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(((width * bitCount / 8 + 3) & ~3) * height);
    type.lSampleSize = info->bmiHeader.biSizeImage;
    type.bFixedSizeSamples = TRUE;
    return type;
}

}  // namespace motiontest
