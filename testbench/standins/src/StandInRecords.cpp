#include "StandInRecords.h"

namespace standins {
namespace {

// A test makes a handful of calls; a runaway caller must not grow the
// record without end.
constexpr size_t kMaxCalls = 65536;

}  // namespace

CStandInRecords& CStandInRecords::Instance() {
    static CStandInRecords records;
    return records;
}

void CStandInRecords::AddControlCall(int method, int value) {
    std::lock_guard<std::mutex> hold(lock_);
    if (calls_.size() < kMaxCalls) {
        calls_.push_back({method, value});
    }
}

std::vector<BenchControlCall> CStandInRecords::ControlCalls() {
    std::lock_guard<std::mutex> hold(lock_);
    return calls_;
}

void CStandInRecords::CountAudioBuffer(bool silenced) {
    std::lock_guard<std::mutex> hold(lock_);
    ++passed_;
    if (silenced) {
        ++silenced_;
    }
}

void CStandInRecords::AudioBuffers(LONGLONG* passed, LONGLONG* silenced) {
    std::lock_guard<std::mutex> hold(lock_);
    *passed = passed_;
    *silenced = silenced_;
}

void CStandInRecords::Reset() {
    std::lock_guard<std::mutex> hold(lock_);
    calls_.clear();
    passed_ = 0;
    silenced_ = 0;
}

}  // namespace standins
