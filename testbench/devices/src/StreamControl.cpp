#include "StreamControl.h"

namespace bench {
namespace {

// "At once": earlier than any stream time.
constexpr REFERENCE_TIME kAtOnce = -MAXLONGLONG - 1;

}  // namespace

HRESULT CStreamSchedule::StartAt(const REFERENCE_TIME* start, DWORD cookie) {
    std::lock_guard<std::mutex> hold(lock_);
    if (start != nullptr && *start == MAXLONGLONG) {
        // Cancels a pending start.
        startDefined_ = false;
        startNotified_ = true;
        return S_OK;
    }
    startDefined_ = true;
    start_ = start != nullptr ? *start : kAtOnce;  // null: at once
    startCookie_ = cookie;
    startNotified_ = false;
    // A start after an immediate stop reopens the stream.
    if (stopDefined_ && stop_ == kAtOnce) {
        stopDefined_ = false;
    }
    return S_OK;
}

HRESULT CStreamSchedule::StopAt(const REFERENCE_TIME* stop, BOOL sendExtra, DWORD cookie) {
    std::lock_guard<std::mutex> hold(lock_);
    if (stop != nullptr && *stop == MAXLONGLONG) {
        stopDefined_ = false;
        stopNotified_ = true;
        return S_OK;
    }
    stopDefined_ = true;
    stop_ = stop != nullptr ? *stop : kAtOnce;
    stopCookie_ = cookie;
    sendExtra_ = sendExtra != FALSE;
    stopNotified_ = false;
    return S_OK;
}

HRESULT CStreamSchedule::GetInfo(AM_STREAM_INFO* info) {
    if (info == nullptr) {
        return E_POINTER;
    }
    std::lock_guard<std::mutex> hold(lock_);
    *info = AM_STREAM_INFO{};
    info->tStart = start_;
    info->tStop = stop_;
    info->dwStartCookie = startCookie_;
    info->dwStopCookie = stopCookie_;
    if (startDefined_) {
        info->dwFlags |= AM_STREAM_INFO_START_DEFINED;
    }
    if (stopDefined_) {
        info->dwFlags |= AM_STREAM_INFO_STOP_DEFINED;
        if (sendExtra_) {
            info->dwFlags |= AM_STREAM_INFO_STOP_SEND_EXTRA;
        }
    }
    if (discarding_) {
        info->dwFlags |= AM_STREAM_INFO_DISCARDING;
    }
    return S_OK;
}

CStreamSchedule::Decision CStreamSchedule::Decide(REFERENCE_TIME streamTime) {
    std::lock_guard<std::mutex> hold(lock_);
    Decision decision{true, false, false, startCookie_, stopCookie_};
    const REFERENCE_TIME now = streamTime < 0 ? kAtOnce + 1 : streamTime;
    if (startDefined_ && now < start_) {
        decision.deliver = false;
    } else if (startDefined_ && !startNotified_) {
        startNotified_ = true;
        decision.notifyStarted = true;
    }
    if (decision.deliver && stopDefined_ && now >= stop_) {
        if (!stopNotified_) {
            stopNotified_ = true;
            decision.notifyStopped = true;
            decision.deliver = sendExtra_;  // one buffer past the stop when asked
        } else {
            decision.deliver = false;
        }
    }
    discarding_ = !decision.deliver;
    return decision;
}

}  // namespace bench
