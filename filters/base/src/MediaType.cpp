#include "dshowbase/MediaType.h"

#include "ImageGeometry.h"

#include <cstring>
#include <utility>

namespace dshowbase {

void FreeMediaType(AM_MEDIA_TYPE& type) {
    if (type.cbFormat != 0 || type.pbFormat != nullptr) {
        CoTaskMemFree(type.pbFormat);
        type.cbFormat = 0;
        type.pbFormat = nullptr;
    }
    if (type.pUnk != nullptr) {
        type.pUnk->Release();
        type.pUnk = nullptr;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* type) {
    if (type != nullptr) {
        FreeMediaType(*type);
        CoTaskMemFree(type);
    }
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source) {
    if (target == nullptr || source == nullptr) {
        return E_POINTER;
    }
    *target = *source;
    target->pbFormat = nullptr;
    target->cbFormat = 0;
    if (source->cbFormat != 0 && source->pbFormat != nullptr) {
        target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source->cbFormat));
        if (target->pbFormat == nullptr) {
            target->pUnk = nullptr;
            return E_OUTOFMEMORY;
        }
        std::memcpy(target->pbFormat, source->pbFormat, source->cbFormat);
        target->cbFormat = source->cbFormat;
    }
    if (target->pUnk != nullptr) {
        target->pUnk->AddRef();
    }
    return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source) {
    if (source == nullptr) {
        return nullptr;
    }
    auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (copy == nullptr) {
        return nullptr;
    }
    if (FAILED(CopyMediaType(copy, source))) {
        CoTaskMemFree(copy);
        return nullptr;
    }
    return copy;
}

bool MediaTypesEqual(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) {
    if (a.majortype != b.majortype || a.subtype != b.subtype || a.formattype != b.formattype ||
        a.cbFormat != b.cbFormat) {
        return false;
    }
    if (a.cbFormat == 0) {
        return true;
    }
    if (a.pbFormat == nullptr || b.pbFormat == nullptr) {
        return a.pbFormat == b.pbFormat;
    }
    return std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0;
}

const VIDEOINFOHEADER* VideoInfo(const AM_MEDIA_TYPE& type) {
    if (type.formattype != FORMAT_VideoInfo || type.pbFormat == nullptr || type.cbFormat < sizeof(VIDEOINFOHEADER)) {
        return nullptr;
    }
    return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

bool IsRgb24VideoInfo(const AM_MEDIA_TYPE& type) {
    const VIDEOINFOHEADER* info = VideoInfo(type);
    return type.majortype == MEDIATYPE_Video && type.subtype == MEDIASUBTYPE_RGB24 && info != nullptr &&
           info->bmiHeader.biBitCount == 24;
}

ULONG FrameBufferSize(const AM_MEDIA_TYPE& type) {
    ULONG size = type.lSampleSize;
    if (const VIDEOINFOHEADER* info = VideoInfo(type)) {
        const BITMAPINFOHEADER& header = info->bmiHeader;
        uint32_t imageBytes = 0;
        if (imagegeometry::FrameBytes(header.biWidth, header.biHeight, header.biBitCount, &imageBytes)) {
            size = imagegeometry::LargerSize(size, imageBytes);
        }
        size = imagegeometry::LargerSize(size, header.biSizeImage);
    }
    return size;
}

CMediaType::CMediaType() : AM_MEDIA_TYPE{} {
    lSampleSize = 1;
    bFixedSizeSamples = TRUE;
}

CMediaType::CMediaType(const GUID& majorType) : CMediaType() { majortype = majorType; }

CMediaType::CMediaType(const AM_MEDIA_TYPE& source) : AM_MEDIA_TYPE{} { Set(source); }

CMediaType::CMediaType(const CMediaType& source) : AM_MEDIA_TYPE{} { Set(source); }

CMediaType::CMediaType(CMediaType&& source) noexcept : AM_MEDIA_TYPE(source) {
    source.pbFormat = nullptr;
    source.cbFormat = 0;
    source.pUnk = nullptr;
}

CMediaType::~CMediaType() { FreeMediaType(*this); }

CMediaType& CMediaType::operator=(const AM_MEDIA_TYPE& source) {
    if (&source != this) {
        Set(source);
    }
    return *this;
}

CMediaType& CMediaType::operator=(const CMediaType& source) {
    return *this = static_cast<const AM_MEDIA_TYPE&>(source);
}

CMediaType& CMediaType::operator=(CMediaType&& source) noexcept {
    if (&source != this) {
        FreeMediaType(*this);
        static_cast<AM_MEDIA_TYPE&>(*this) = source;
        source.pbFormat = nullptr;
        source.cbFormat = 0;
        source.pUnk = nullptr;
    }
    return *this;
}

bool CMediaType::Set(const AM_MEDIA_TYPE& source) {
    if (&source == this) {
        return true;
    }
    FreeMediaType(*this);
    if (FAILED(CopyMediaType(this, &source))) {
        static_cast<AM_MEDIA_TYPE&>(*this) = AM_MEDIA_TYPE{};
        return false;
    }
    return true;
}

void CMediaType::Clear() {
    FreeMediaType(*this);
    static_cast<AM_MEDIA_TYPE&>(*this) = AM_MEDIA_TYPE{};
}

BYTE* CMediaType::AllocFormat(ULONG size) {
    BYTE* block = nullptr;
    if (size != 0) {
        block = static_cast<BYTE*>(CoTaskMemAlloc(size));
        if (block == nullptr) {
            return nullptr;
        }
        std::memset(block, 0, size);
    }
    CoTaskMemFree(pbFormat);
    pbFormat = block;
    cbFormat = size;
    return block;
}

bool CMediaType::SetFormat(const void* data, ULONG size) {
    if (size != 0 && data == nullptr) {
        return false;
    }
    BYTE* block = AllocFormat(size);
    if (size != 0 && block == nullptr) {
        return false;
    }
    if (size != 0) {
        std::memcpy(block, data, size);
    }
    return true;
}

bool CMediaType::IsPartiallySpecified() const { return majortype == GUID_NULL || formattype == GUID_NULL; }

bool CMediaType::MatchesPartial(const AM_MEDIA_TYPE& partial) const {
    if (partial.majortype != GUID_NULL && partial.majortype != majortype) {
        return false;
    }
    if (partial.subtype != GUID_NULL && partial.subtype != subtype) {
        return false;
    }
    if (partial.formattype != GUID_NULL) {
        if (partial.formattype != formattype || partial.cbFormat != cbFormat) {
            return false;
        }
        if (cbFormat != 0 && (partial.pbFormat == nullptr || pbFormat == nullptr ||
                              std::memcmp(partial.pbFormat, pbFormat, cbFormat) != 0)) {
            return false;
        }
    }
    return true;
}

}  // namespace dshowbase
