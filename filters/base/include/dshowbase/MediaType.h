// AM_MEDIA_TYPE with an owner. CMediaType frees its format block and its
// pUnk when it goes; the free functions handle the task-memory types that
// DirectShow hands across interfaces (enumerators, GetFormat, GetStreamCaps).
#pragma once

#include <dshow.h>

#include <memory>

namespace dshowbase {

// Releases what a media type points to (format block, pUnk) and zeroes those
// fields; the struct itself is not freed.
void FreeMediaType(AM_MEDIA_TYPE& type);
// Frees a task-memory AM_MEDIA_TYPE and what it points to. Null is fine.
void DeleteMediaType(AM_MEDIA_TYPE* type);
// Owns a task-memory AM_MEDIA_TYPE handed out through an interface.
struct MediaTypeDeleter {
    void operator()(AM_MEDIA_TYPE* type) const { DeleteMediaType(type); }
};
using UniqueMediaType = std::unique_ptr<AM_MEDIA_TYPE, MediaTypeDeleter>;
// Deep copy into an empty destination. E_OUTOFMEMORY leaves it empty.
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source);
// A task-memory deep copy, or null when memory runs out.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source);

// Same major type, subtype, format type and format bytes.
bool MediaTypesEqual(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);

// The VIDEOINFOHEADER of a type, or null unless the format type is
// FORMAT_VideoInfo and the block is really large enough to hold one.
const VIDEOINFOHEADER* VideoInfo(const AM_MEDIA_TYPE& type);

// Video, RGB24 subtype, a full VIDEOINFOHEADER, 24 bits per pixel.
bool IsRgb24VideoInfo(const AM_MEDIA_TYPE& type);

// The bytes one frame of this type needs: the larger of the sample size and
// the image size the bitmap header describes (biSizeImage, or stride x
// |height|). Some splitters report a sample size of 1 for RGB, so neither
// number alone is safe. 0 when the type describes no frame size at all.
ULONG FrameBufferSize(const AM_MEDIA_TYPE& type);

class CMediaType : public AM_MEDIA_TYPE {
public:
    CMediaType();
    explicit CMediaType(const GUID& majorType);
    CMediaType(const AM_MEDIA_TYPE& source);  // NOLINT: implicit on purpose
    CMediaType(const CMediaType& source);
    CMediaType(CMediaType&& source) noexcept;
    ~CMediaType();

    CMediaType& operator=(const AM_MEDIA_TYPE& source);
    CMediaType& operator=(const CMediaType& source);
    CMediaType& operator=(CMediaType&& source) noexcept;

    bool operator==(const CMediaType& other) const { return MediaTypesEqual(*this, other); }
    bool operator!=(const CMediaType& other) const { return !MediaTypesEqual(*this, other); }

    // Deep copy; false when memory ran out (the type is then empty).
    bool Set(const AM_MEDIA_TYPE& source);
    void Clear();

    // Replaces the format block with a copy of these bytes.
    bool SetFormat(const void* data, ULONG size);
    // Replaces the format block with size zeroed bytes and returns it.
    BYTE* AllocFormat(ULONG size);

    bool IsValid() const { return majortype != GUID_NULL; }
    // GUID_NULL in the major type or the format type leaves it open.
    bool IsPartiallySpecified() const;
    // Whether this type fits a partial type: GUID_NULL fields of the
    // partial type match anything.
    bool MatchesPartial(const AM_MEDIA_TYPE& partial) const;
};

}  // namespace dshowbase
