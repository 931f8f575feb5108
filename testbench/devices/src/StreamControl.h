// The start/stop schedule of IAMStreamControl for one pin: which buffers,
// by stream time, go downstream, and when the started/stopped events are
// due. The pin reports the events; this only decides.
#pragma once

#include <dshow.h>

#include <mutex>

namespace bench {

class CStreamSchedule {
public:
    struct Decision {
        bool deliver;
        bool notifyStarted;  // EC_STREAM_CONTROL_STARTED with startCookie
        bool notifyStopped;  // EC_STREAM_CONTROL_STOPPED with stopCookie
        DWORD startCookie;
        DWORD stopCookie;
    };

    HRESULT StartAt(const REFERENCE_TIME* start, DWORD cookie);
    HRESULT StopAt(const REFERENCE_TIME* stop, BOOL sendExtra, DWORD cookie);
    HRESULT GetInfo(AM_STREAM_INFO* info);

    // For a buffer at this stream time (-1: no clock, which counts as "now"
    // for requests made without a time).
    Decision Decide(REFERENCE_TIME streamTime);

private:
    std::mutex lock_;
    bool startDefined_ = false;
    REFERENCE_TIME start_ = 0;
    DWORD startCookie_ = 0;
    bool startNotified_ = true;
    bool stopDefined_ = false;
    REFERENCE_TIME stop_ = 0;
    DWORD stopCookie_ = 0;
    bool sendExtra_ = false;
    bool stopNotified_ = true;
    bool discarding_ = false;
};

}  // namespace bench
