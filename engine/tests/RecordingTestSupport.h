// What the recording tests share: the files a recording leaves, read back
// through the bench's RIFF reader or as the ASF writer stand-in's record,
// and the stand-ins' control object.
#pragma once

#include "AsfRecord.h"
#include "BenchStandIns.h"
#include "EngineTestSupport.h"
#include "RiffMedia.h"

#include <cstdint>
#include <string>
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

using RecordingToggle = int(CAMERA_CALL*)(const char* path);

// Starts a recording with the toggle and checks that its time starts near
// zero, stands still while paused and goes on after resuming; pausing is
// no state of the engine, so the same toggle then stops it.
void ExpectPauseHoldsTheTime(RecordingToggle toggle, const CRecordingFile& file);

} // namespace enginetest
