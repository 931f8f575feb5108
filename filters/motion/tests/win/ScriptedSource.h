// A live push source of any video type, whose frames a test paints: for what
// the bench camera cannot deliver (other types, tiny or truncated frames, a
// sample size of one byte).
#pragma once

#include <dshow.h>

#include <functional>

#include "dshowbase/MediaType.h"
#include "dshowbase/SourceFilter.h"

namespace motiontest {

// Paints frame n (counted from the first frame the running graph asks for)
// into data and returns the actual length to deliver.
using FramePainter = std::function<long(LONGLONG n, BYTE* data, long size)>;

class CScriptedSource : public dshowbase::CSourceFilter {
public:
    CScriptedSource(const dshowbase::CMediaType& type, FramePainter painter);

    // Called by the pin on its streaming thread.
    long Paint(BYTE* data, long size);

private:
    FramePainter painter_;
    LONGLONG painted_ = 0;
};

dshowbase::CMediaType VideoInfoType(int width, int height, WORD bitCount, const GUID& subtype);

}  // namespace motiontest
