#include "ScriptedSource.h"

#include <cstring>
#include <memory>
#include <utility>

#include "dshowbase/Negotiation.h"

namespace basetest {
namespace {

// {5B0F6C31-92D4-4E0B-8A77-3C61E2D4F901}: a test-only class id.
const CLSID CLSID_ScriptedSource = {0x5b0f6c31, 0x92d4, 0x4e0b, {0x8a, 0x77, 0x3c, 0x61, 0xe2, 0xd4, 0xf9, 0x01}};

// Every sample lasts as long as one frame of the types VideoInfoType makes.
constexpr REFERENCE_TIME kFrameDuration = 200000;  // 50 frames a second

class CScriptedPin : public dshowbase::CSourceStreamPin {
public:
    CScriptedPin(CScriptedSource* source, dshowbase::CCritSec* lock, const dshowbase::CMediaType& type)
        : CSourceStreamPin(L"scripted pin", source, lock, L"Out"), source_(source), type_(type) {}

    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override {
        return *type == type_ ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int position, dshowbase::CMediaType* type) override {
        return dshowbase::OfferSingleType(position, type, type_);
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override {
        // A type of no size (refused downstream anyway) still gets a buffer.
        const ULONG bytes = dshowbase::FrameBufferSize(type_);
        return dshowbase::SetAllocatorAtLeast(allocator, request, 2, static_cast<long>(bytes > 0 ? bytes : 1));
    }
    HRESULT FillBuffer(IMediaSample* sample, LONGLONG) override {
        BYTE* data = nullptr;
        if (FAILED(sample->GetPointer(&data))) return E_FAIL;
        return sample->SetActualDataLength(source_->Paint(data, sample->GetSize()));
    }
    REFERENCE_TIME BufferDuration() override { return kFrameDuration; }

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

FramePainter RepeatPicture(std::vector<BYTE> picture, long length) {
    return [picture = std::move(picture), length](LONGLONG, BYTE* data, long size) {
        const long whole = static_cast<long>(picture.size());
        long n = length < 0 || length > whole ? whole : length;
        if (n > size) n = size;
        if (n > 0) std::memcpy(data, picture.data(), static_cast<size_t>(n));
        return n;
    };
}

dshowbase::CMediaType VideoInfoType(int width, int height, WORD bitCount, const GUID& subtype) {
    dshowbase::CMediaType type(MEDIATYPE_Video);
    type.subtype = subtype;
    type.formattype = FORMAT_VideoInfo;
    auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormat(sizeof(VIDEOINFOHEADER)));
    info->AvgTimePerFrame = kFrameDuration;
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = bitCount;
    const long rows = height < 0 ? -height : height;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(((width * bitCount / 8 + 3) & ~3) * rows);
    type.lSampleSize = info->bmiHeader.biSizeImage;
    type.bFixedSizeSamples = TRUE;
    return type;
}

}  // namespace basetest
