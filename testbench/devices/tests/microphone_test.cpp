// The virtual microphone under Wine: its pins, its mixers, and the tone it
// streams through a Sample Grabber.
#include "BenchTestSupport.h"

#include "Scene.h"

namespace benchtest {
namespace {

class MicrophoneTest : public BenchTest {
protected:
    ComPtr<IBaseFilter> Microphone() { return BindDevice(CLSID_AudioInputDeviceCategory, BENCH_MICROPHONE_NAME); }
    ComPtr<IAMAudioInputMixer> MixerOf(IUnknown* object) {
        ComPtr<IAMAudioInputMixer> mixer;
        object->QueryInterface(IID_IAMAudioInputMixer, reinterpret_cast<void**>(mixer.GetAddressOf()));
        return mixer;
    }
};

TEST_F(MicrophoneTest, PinsAreCaptureThenTheMixerInputs) {
    ComPtr<IBaseFilter> microphone = Microphone();
    ASSERT_TRUE(microphone);
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(S_OK, microphone->EnumPins(pins.GetAddressOf()));
    const wchar_t* names[] = {L"Capture", L"Microphone", L"Line In"};
    const PIN_DIRECTION directions[] = {PINDIR_OUTPUT, PINDIR_INPUT, PINDIR_INPUT};
    ComPtr<IPin> pin;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(S_OK, pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr));
        PIN_INFO info{};
        pin->QueryPinInfo(&info);
        info.pFilter->Release();
        EXPECT_STREQ(names[i], info.achName);
        EXPECT_EQ(directions[i], info.dir);
    }
    EXPECT_EQ(S_FALSE, pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr));
    // The mixer inputs stand for analogue lines: nothing connects to them.
    ComPtr<IBaseFilter> camera = BindDevice(CLSID_VideoInputDeviceCategory, BENCH_CAMERA_NAME);
    GrabberGraph graph(MEDIATYPE_Video);
    graph.Add(microphone.Get(), L"Audio Capture");
    graph.Add(camera.Get(), L"Video Capture");
    EXPECT_TRUE(
        FAILED(graph.Connect(FindPin(camera.Get(), L"Capture").Get(), FindPin(microphone.Get(), L"Microphone").Get())));
}

TEST_F(MicrophoneTest, MixersRememberEnableAndLevel) {
    ComPtr<IBaseFilter> microphone = Microphone();
    ComPtr<IAMAudioInputMixer> line = MixerOf(FindPin(microphone.Get(), L"Line In").Get());
    ComPtr<IAMAudioInputMixer> filter = MixerOf(microphone.Get());
    ASSERT_TRUE(line && filter);

    ASSERT_EQ(S_OK, line->put_Enable(TRUE));
    ASSERT_EQ(S_OK, line->put_MixLevel(0.25));
    EXPECT_EQ(E_INVALIDARG, line->put_MixLevel(1.0000001));
    EXPECT_EQ(E_INVALIDARG, line->put_MixLevel(-0.5));
    EXPECT_EQ(S_OK, line->put_MixLevel(AMF_AUTOMATICGAIN));
    ASSERT_EQ(S_OK, line->put_MixLevel(0.25));
    ASSERT_EQ(S_OK, filter->put_MixLevel(0.75));
    EXPECT_EQ(E_INVALIDARG, filter->put_Treble(12.5));
    double range = 0;
    EXPECT_EQ(S_OK, filter->get_BassRange(&range));
    EXPECT_EQ(12.0, range);

    // A second filter object of the device sees the same lines.
    ComPtr<IBaseFilter> again = Microphone();
    BOOL enabled = FALSE;
    double level = 0;
    ASSERT_EQ(S_OK, MixerOf(FindPin(again.Get(), L"Line In").Get())->get_Enable(&enabled));
    EXPECT_TRUE(enabled);
    ASSERT_EQ(S_OK, MixerOf(FindPin(again.Get(), L"Line In").Get())->get_MixLevel(&level));
    EXPECT_EQ(0.25, level);
    ASSERT_EQ(S_OK, MixerOf(again.Get())->get_MixLevel(&level));
    EXPECT_EQ(0.75, level);

    LONG changes = 0;
    ASSERT_EQ(S_OK, bench->GetMixerLine(BENCH_MIXER_LINE_IN, &enabled, &level, &changes));
    EXPECT_EQ(4, changes);  // enable, two levels and the automatic gain
    ASSERT_EQ(S_OK, bench->GetMixerLine(BENCH_MIXER_MICROPHONE, &enabled, &level, &changes));
    EXPECT_TRUE(enabled);  // the microphone line starts enabled at half level
    EXPECT_EQ(0.5, level);
    EXPECT_EQ(0, changes);
    EXPECT_EQ(E_INVALIDARG, bench->GetMixerLine(3, &enabled, &level, &changes));

    // The tuner variant is the same device under another name.
    ComPtr<IBaseFilter> tuner = BindDevice(CLSID_AudioInputDeviceCategory, BENCH_TUNER_AUDIO_NAME);
    ASSERT_TRUE(tuner);
    EXPECT_TRUE(FindPin(tuner.Get(), L"Microphone"));
}

TEST_F(MicrophoneTest, StreamsTheToneAtTheMicrophoneLevel) {
    for (double micLevel : {0.5, 0.0}) {
        ComPtr<IBaseFilter> microphone = Microphone();
        ASSERT_EQ(S_OK, MixerOf(FindPin(microphone.Get(), L"Microphone").Get())->put_MixLevel(micLevel));
        GrabberGraph graph(MEDIATYPE_Audio);
        graph.Add(microphone.Get(), L"Audio Capture");
        ASSERT_EQ(S_OK, graph.Connect(FindPin(microphone.Get(), L"Capture").Get(), graph.GrabberInput()));
        ASSERT_TRUE(graph.RunFor(2, 10000));
        for (const GrabbedSample& sample : graph.log.Samples()) {
            ASSERT_EQ(4410u * 2, sample.bytes.size());
            ASSERT_EQ(0, sample.mediaTime % 4410);  // media time counts samples
            const auto* pcm = reinterpret_cast<const int16_t*>(sample.bytes.data());
            // Sample k of the stream: triangle of period 100, amplitude
            // 8000 x level.
            const uint64_t first = static_cast<uint64_t>(sample.mediaTime);
            for (size_t i = 0; i < 4410; i += 7) {
                ASSERT_EQ(benchscene::ToneSample(first + i, micLevel), pcm[i]) << i;
            }
            if (micLevel == 0.5) {
                const size_t peak = (150 - first % 100) % 100;  // a phase-50 sample
                EXPECT_EQ(4000, pcm[peak]);
            } else {
                EXPECT_EQ(0, pcm[0]);
            }
        }
    }
}

// A sound card records on while the reader is held up: no sound is lost, so
// the sound delivered keeps up with the clock that stamps it.
TEST_F(MicrophoneTest, AHeldUpStreamCatchesUpWithoutLosingSound) {
    ComPtr<IBaseFilter> microphone = Microphone();
    GrabberGraph graph(MEDIATYPE_Audio);
    graph.log.HoldFirstSampleFor(800);
    graph.Add(microphone.Get(), L"Audio Capture");
    ASSERT_EQ(S_OK, graph.Connect(FindPin(microphone.Get(), L"Capture").Get(), graph.GrabberInput()));
    ASSERT_TRUE(graph.RunFor(15, 10000));
    const std::vector<GrabbedSample> samples = graph.log.Samples();
    for (size_t k = 0; k < samples.size(); ++k) {
        ASSERT_EQ(static_cast<LONGLONG>(k) * 4410, samples[k].mediaTime) << k;
    }
    // Sound before the last buffer against the stream time between the
    // first buffer and the last.
    const double sound = samples.back().mediaTime / 44100.0;
    const double elapsed = samples.back().seconds - samples.front().seconds;
    EXPECT_GT(sound, elapsed - 0.25) << "sound was dropped while the stream was held up";
}

}  // namespace
}  // namespace benchtest
