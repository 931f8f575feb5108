// A live push source that delivers one fixed picture (or the first bytes of
// it) in every sample, for sizes and lengths the bench camera cannot give:
// odd widths, truncated samples, formats the filter must refuse.
#pragma once

#include <dshow.h>

#include <vector>

#include "dshowbase/MediaType.h"
#include "dshowbase/SourceFilter.h"

namespace lenstinttest {

// VIDEOINFOHEADER type of width x height at bitCount, biSizeImage with
// 4-byte aligned rows.
dshowbase::CMediaType VideoInfoType(int width, int height, WORD bitCount, const GUID& subtype);

class CPictureSource : public dshowbase::CSourceFilter {
public:
    // length < 0: the whole picture in every sample.
    CPictureSource(const dshowbase::CMediaType& type, std::vector<BYTE> picture, long length = -1);

    // Called by the pin on its streaming thread.
    long Paint(BYTE* data, long size) const;

private:
    std::vector<BYTE> picture_;
    long length_;
};

}  // namespace lenstinttest
