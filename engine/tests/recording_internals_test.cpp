// The engine's recording routines one by one, against the stand-in WM ASF
// writer and "Vimbrel Audio": what the flat API cannot set up with the
// bench devices, a microphone without a mixer and a machine without one.
#include "engine/win/AsfProfileConfig.h"
#include "BenchStandIns.h"
#include "engine/include/CameraApi.h"
#include "engine/win/CaptureEngineState.h"
#include "engine/win/VideoRecording.h"
#include "dshowbase/AsfWriterInterfaces.h"

#include <gtest/gtest.h>

#include <vector>

namespace camera {
namespace {

class RecordingInternals : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ASSERT_EQ(S_OK, CreateInstance(CLSID_BenchStandInControl, IID_IBenchStandInControl, standIns_))
            << "the stand-ins are not registered in this prefix";
        standIns_->Reset();
    }

    void TearDown() override {
        ReleaseEngineObjects(Engine());
        standIns_.Reset();
        CoUninitialize();
    }

    std::vector<BenchControlCall> MuteCalls() {
        UINT count = 0;
        standIns_->GetAudioControlCalls(nullptr, 0, &count);
        std::vector<BenchControlCall> calls(count);
        if (count > 0) standIns_->GetAudioControlCalls(calls.data(), count, &count);
        return calls;
    }

    ComPtr<IBenchStandInControl> standIns_;
};

TEST_F(RecordingInternals, WithoutAMicrophoneMixerTheAudioControlFilterStillFollowsTheLevel) {
    CaptureEngineState& state = Engine();
    state.values.ready = true;
    ASSERT_EQ(S_OK, CreateInstance(CLSID_BenchAudioControl, IID_IBaseFilter, state.audioControl));
    ASSERT_FALSE(state.microphoneMixer);
    // The level call itself refuses: there is no mixer to take it.
    EXPECT_EQ(0, SetAudioVolume(0.0));
    EXPECT_TRUE(MuteCalls().empty());

    ApplyRecordingLevel(state, 0.0);
    ApplyRecordingLevel(state, 0.6);
    const std::vector<BenchControlCall> calls = MuteCalls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(6, calls[0].method);
    EXPECT_EQ(1, calls[0].value);
    EXPECT_EQ(6, calls[1].method);
    EXPECT_EQ(0, calls[1].value);
}

TEST_F(RecordingInternals, WithoutAnAudioDeviceTheVideoProfileLosesItsSoundStream) {
    CaptureEngineState state;
    state.values.videoBitrateIndex = 2;
    ComPtr<IBaseFilter> writer;
    ASSERT_EQ(S_OK, CreateInstance(CLSID_WMAsfWriter, IID_IBaseFilter, writer));
    ASSERT_EQ(S_OK, ConfigureAsfVideoProfile(state, writer.Get()));

    ComPtr<IConfigAsfWriter> config;
    ASSERT_EQ(S_OK, QueryTo(writer.Get(), IID_IConfigAsfWriter, config));
    ComPtr<IWMProfile> profile;
    ASSERT_EQ(S_OK, config->GetCurrentProfile(profile.GetAddressOf()));
    DWORD streams = 0;
    ASSERT_EQ(S_OK, profile->GetStreamCount(&streams));
    ASSERT_EQ(1u, streams);
    ComPtr<IWMStreamConfig> stream;
    ASSERT_EQ(S_OK, profile->GetStream(0, stream.GetAddressOf()));
    GUID type = GUID_NULL;
    ASSERT_EQ(S_OK, stream->GetStreamType(&type));
    EXPECT_TRUE(type == MEDIATYPE_Video);
    // The writer has one input left, for the pictures.
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(S_OK, writer->EnumPins(pins.GetAddressOf()));
    ComPtr<IPin> pin;
    int count = 0;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) ++count;
    EXPECT_EQ(1, count);
}

}  // namespace
}  // namespace camera
