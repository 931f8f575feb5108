// A live push source of any video type whose frames a test paints, for what
// the bench camera cannot deliver: odd widths, other types, tiny, truncated
// or one-byte samples, formats a filter must refuse.
#pragma once

#include <dshow.h>

#include <functional>
#include <vector>

#include "dshowbase/MediaType.h"
#include "dshowbase/SourceFilter.h"

namespace basetest {

// Paints frame n (counted from the first frame the running graph asks for)
// into data, which holds size bytes, and returns the actual length to deliver.
using FramePainter = std::function<long(LONGLONG n, BYTE* data, long size)>;

class CScriptedSource : public dshowbase::CSourceFilter {
public:
    // The pin offers type alone and accepts nothing else.
    CScriptedSource(const dshowbase::CMediaType& type, FramePainter painter);

    // Called by the pin on its streaming thread.
    long Paint(BYTE* data, long size);

private:
    FramePainter painter_;
    LONGLONG painted_ = 0;
};

// A painter that delivers one fixed picture in every sample: all of it
// (length < 0) or its first length bytes, never more than the picture or the
// sample holds.
FramePainter RepeatPicture(std::vector<BYTE> picture, long length = -1);

// VIDEOINFOHEADER type of width x height at bitCount and 50 frames a second,
// biSizeImage with 4-byte aligned rows (a negative height is a top-down
// picture of as many rows).
dshowbase::CMediaType VideoInfoType(int width, int height, WORD bitCount, const GUID& subtype);

}  // namespace basetest
