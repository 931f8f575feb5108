// A live RGB24 push source whose frames a test paints, delivered only once
// the test arms it, so that a scene starts exactly when detection runs.
#pragma once

#include <dshow.h>

#include <functional>

#include "dshowbase/MediaType.h"
#include "dshowbase/SourceFilter.h"

namespace motiontest {

// Paints frame n (counted from arming) into data and returns the actual
// length to deliver.
using FramePainter = std::function<long(LONGLONG n, BYTE* data, long size)>;

class CScriptedSource : public dshowbase::CSourceFilter {
public:
    CScriptedSource(const dshowbase::CMediaType& type, FramePainter painter);

    void Arm() { InterlockedExchange(&armed_, 1); }
    LONGLONG Delivered() const { return delivered_; }

    // Called by the pin.
    long Paint(BYTE* data, long size);
    bool Armed() const { return armed_ != 0; }

private:
    FramePainter painter_;
    volatile LONG armed_ = 0;
    volatile LONGLONG delivered_ = 0;
};

dshowbase::CMediaType VideoInfoType(int width, int height, WORD bitCount, const GUID& subtype);

}  // namespace motiontest
