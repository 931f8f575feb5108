#include "PictureSource.h"

#include <cstring>
#include <memory>

#include "dshowbase/Negotiation.h"

namespace lenstinttest {
namespace {

// {7D1E42A6-51C3-4F0E-9B7A-2C64E8D1B9A3}: a test-only class id.
const CLSID CLSID_PictureSource = {0x7d1e42a6, 0x51c3, 0x4f0e, {0x9b, 0x7a, 0x2c, 0x64, 0xe8, 0xd1, 0xb9, 0xa3}};

class CPicturePin : public dshowbase::CSourceStreamPin {
public:
    CPicturePin(CPictureSource* source, dshowbase::CCritSec* lock, const dshowbase::CMediaType& type)
        : CSourceStreamPin(L"picture pin", source, lock, L"Out"), source_(source), type_(type) {}

    HRESULT CheckMediaType(const dshowbase::CMediaType* type) override {
        return *type == type_ ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int position, dshowbase::CMediaType* type) override {
        return dshowbase::OfferSingleType(position, type, type_);
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override {
        const ULONG bytes = dshowbase::FrameBufferSize(type_);
        return dshowbase::SetAllocatorAtLeast(allocator, request, 2, static_cast<long>(bytes > 0 ? bytes : 1));
    }
    HRESULT FillBuffer(IMediaSample* sample, LONGLONG) override {
        BYTE* data = nullptr;
        if (FAILED(sample->GetPointer(&data))) return E_FAIL;
        return sample->SetActualDataLength(source_->Paint(data, sample->GetSize()));
    }
    REFERENCE_TIME BufferDuration() override { return 200000; }  // 50 frames a second

private:
    CPictureSource* source_;
    dshowbase::CMediaType type_;
};

}  // namespace

CPictureSource::CPictureSource(const dshowbase::CMediaType& type, std::vector<BYTE> picture, long length)
    : CSourceFilter(L"picture source", CLSID_PictureSource), picture_(std::move(picture)), length_(length) {
    AddPin(std::make_unique<CPicturePin>(this, &filterLock_, type));
}

long CPictureSource::Paint(BYTE* data, long size) const {
    long n = length_ < 0 ? static_cast<long>(picture_.size()) : length_;
    if (n > size) n = size;
    std::memcpy(data, picture_.data(), static_cast<size_t>(n));
    return n;
}

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
    const long rows = height < 0 ? -height : height;
    info->bmiHeader.biSizeImage = static_cast<DWORD>(((width * bitCount / 8 + 3) & ~3) * rows);
    type.lSampleSize = info->bmiHeader.biSizeImage;
    type.bFixedSizeSamples = TRUE;
    return type;
}

}  // namespace lenstinttest
