// What the stand-ins of one process record for the tests to read back
// (through the control object): the calls made to the audio control
// interface and how many sound buffers it passed and silenced.
#pragma once

#include "BenchStandIns.h"

#include <mutex>
#include <vector>

namespace standins {

class CStandInRecords {
public:
    static CStandInRecords& Instance();

    void AddControlCall(int method, int value);
    std::vector<BenchControlCall> ControlCalls();
    void CountAudioBuffer(bool silenced);
    void AudioBuffers(LONGLONG* passed, LONGLONG* silenced);
    void Reset();

private:
    CStandInRecords() = default;

    std::mutex lock_;
    std::vector<BenchControlCall> calls_;
    LONGLONG passed_ = 0;
    LONGLONG silenced_ = 0;
};

}  // namespace standins
