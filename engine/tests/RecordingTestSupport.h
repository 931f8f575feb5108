// What the recording tests share: the files a recording leaves, read back
// through the bench's RIFF reader or as the ASF writer stand-in's record,
// the stand-ins' control object, a fixture that records through a toggle,
// and a reader of the recording time on another thread.
#pragma once

#include "AsfRecord.h"
#include "BenchStandIns.h"
#include "engine/tests/EngineTestSupport.h"
#include "RiffMedia.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace enginetest {

// A file name in the test's working folder, removed when it goes.
class CRecordingFile {
public:
    explicit CRecordingFile(std::string name);
    ~CRecordingFile();
    CRecordingFile(const CRecordingFile&) = delete;
    CRecordingFile& operator=(const CRecordingFile&) = delete;

    const char* Path() const { return name_.c_str(); }
    bool Exists() const;
    std::vector<uint8_t> Bytes() const;
    void Write(const std::vector<uint8_t>& bytes) const;

    // The file as an AVI or WAVE; false when the reader refuses it.
    bool ReadMedia(standins::MediaFile* media) const;
    // The ASF writer stand-in's record; false when it is not one.
    bool ReadAsfRecord(standins::AsfRecord* record) const;

private:
    std::string name_;
};

// The stand-ins' control object with its records cleared.
ComPtr<IBenchStandInControl> StandInControl();

// The mute calls the "Vimbrel Audio" filters got, oldest first.
std::vector<BenchControlCall> AudioControlCalls(IBenchStandInControl* control);

// The recording time now, or -1 when the engine does not give one.
float RecordingTime();

// Lets the recording run for a while with this thread's messages served.
void RecordFor(DWORD milliseconds);
// Seconds of wall time since a tick count was taken: the bound of timing
// checks on a machine whose load stretches every pause.
float SecondsSince(DWORD tick);

using RecordingToggle = int(CAMERA_CALL*)(const char* path);

// Starts a recording with the toggle and checks that its time starts near
// zero, stands still while paused and goes on after resuming; pausing is
// no state of the engine, so the same toggle then stops it.
void ExpectPauseHoldsTheTime(RecordingToggle toggle, const CRecordingFile& file);

// An engine test with the stand-ins registered and cleared.
class RecordingTest : public EngineTest {
protected:
    void SetUp() override;

    // Starts with the toggle, records for a while and stops with the same
    // toggle; answers the recording time read just before the stop.
    float Record(RecordingToggle toggle, const CRecordingFile& file, DWORD milliseconds);

    // Objects alive in the bench devices and in the stand-ins, to compare
    // after a run of recordings.
    LONG LiveDeviceObjects();
    LONG LiveStandInObjects();

    ComPtr<IBenchStandInControl> standIns_;
};

// Reads the recording time over and over on a thread of its own, as a
// window's timer would while the recording starts and stops, until it is
// stopped or goes.
class CRecordingTimePoller {
public:
    CRecordingTimePoller();
    ~CRecordingTimePoller();
    CRecordingTimePoller(const CRecordingTimePoller&) = delete;
    CRecordingTimePoller& operator=(const CRecordingTimePoller&) = delete;

    // Stops the thread; answers how many reads the engine answered.
    int Stop();

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    std::thread thread_;
};

}  // namespace enginetest
