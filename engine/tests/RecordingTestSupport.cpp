#include "engine/tests/RecordingTestSupport.h"

#include "ByteSource.h"
#include "MessagePump.h"

#include <dshow.h>

#include <fstream>
#include <iterator>

namespace enginetest {

CRecordingFile::CRecordingFile(std::string name) : name_(std::move(name)) { DeleteFileA(name_.c_str()); }

CRecordingFile::~CRecordingFile() { DeleteFileA(name_.c_str()); }

bool CRecordingFile::Exists() const { return GetFileAttributesA(name_.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<uint8_t> CRecordingFile::Bytes() const {
    std::ifstream in(name_, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CRecordingFile::Write(const std::vector<uint8_t>& bytes) const {
    std::ofstream out(name_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool CRecordingFile::ReadMedia(standins::MediaFile* media) const {
    standins::MemoryByteSource source(Bytes());
    return standins::ParseRiffMedia(source, media) == standins::ParseStatus::Ok;
}

bool CRecordingFile::ReadAsfRecord(standins::AsfRecord* record) const {
    const std::vector<uint8_t> bytes = Bytes();
    return standins::ParseAsfRecord(std::string(bytes.begin(), bytes.end()), record);
}

ComPtr<IBenchStandInControl> StandInControl() {
    ComPtr<IBenchStandInControl> control;
    if (SUCCEEDED(CoCreateInstance(CLSID_BenchStandInControl, nullptr, CLSCTX_INPROC_SERVER, IID_IBenchStandInControl,
                                   reinterpret_cast<void**>(control.GetAddressOf()))))
        control->Reset();
    return control;
}

std::vector<BenchControlCall> AudioControlCalls(IBenchStandInControl* control) {
    UINT count = 0;
    if (control == nullptr || FAILED(control->GetAudioControlCalls(nullptr, 0, &count))) return {};
    std::vector<BenchControlCall> calls(count);
    if (count > 0 && FAILED(control->GetAudioControlCalls(calls.data(), count, &count))) return {};
    calls.resize(count);
    return calls;
}

float RecordingTime() {
    float seconds = -1.0f;
    return GetCurrentRecordingTime(&seconds) == 1 ? seconds : -1.0f;
}

void RecordFor(DWORD milliseconds) { testbench::PumpFor(milliseconds); }

float SecondsSince(DWORD tick) { return static_cast<float>(GetTickCount() - tick) / 1000.0f; }

// The recording time goes with the clock while it records and stands while
// paused. Its bounds are the wall time that really went by, measured around
// each step: a loaded machine pumps longer than asked.
void ExpectPauseHoldsTheTime(RecordingToggle toggle, const CRecordingFile& file) {
    const DWORD started = GetTickCount();
    ASSERT_EQ(1, toggle(file.Path()));
    const float atStart = RecordingTime();
    EXPECT_GE(atStart, 0.0f);
    EXPECT_LT(atStart, 0.3f + SecondsSince(started));
    RecordFor(700);
    ASSERT_EQ(1, Pause());
    const float paused = RecordingTime();
    EXPECT_GT(paused, 0.5f);
    RecordFor(600);
    EXPECT_NEAR(paused, RecordingTime(), 0.05);

    const DWORD resuming = GetTickCount();
    ASSERT_EQ(1, Resume());
    RecordFor(600);
    const float resumed = RecordingTime();
    // Counted from the resume on, not through the pause.
    EXPECT_GT(resumed - paused, 0.45f);
    EXPECT_LT(resumed - paused, SecondsSince(resuming) + 0.4f);
    EXPECT_EQ(1, toggle(nullptr));
    EXPECT_EQ(0, Pause());
    EXPECT_EQ(0, Resume());
}

void RecordingTest::SetUp() {
    EngineTest::SetUp();
    standIns_ = StandInControl();
    ASSERT_TRUE(standIns_) << "the stand-ins are not registered in this prefix";
}

float RecordingTest::Record(RecordingToggle toggle, const CRecordingFile& file, DWORD milliseconds) {
    EXPECT_EQ(1, toggle(file.Path()));
    RecordFor(milliseconds);
    const float seconds = RecordingTime();
    EXPECT_EQ(1, toggle(nullptr));
    return seconds;
}

LONG RecordingTest::LiveDeviceObjects() {
    LONG count = 0;
    bench_->GetLiveObjectCount(&count);
    return count;
}

LONG RecordingTest::LiveStandInObjects() {
    LONG count = 0;
    standIns_->GetLiveObjectCount(&count);
    return count;
}

CRecordingTimePoller::CRecordingTimePoller()
    : thread_([this] {
          while (!stop_) {
              float seconds = 0.0f;
              answered_ += GetCurrentRecordingTime(&seconds);
              Sleep(1);
          }
      }) {}

CRecordingTimePoller::~CRecordingTimePoller() { Stop(); }

int CRecordingTimePoller::Stop() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    return answered_;
}

}  // namespace enginetest
