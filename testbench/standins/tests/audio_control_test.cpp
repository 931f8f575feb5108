// "Vimbrel Audio" as the engine uses it: found by the start of its friendly
// name among the DirectShow filters, put between microphone and writer,
// and muted through the sixth method of its private interface.
#include "BenchStandIns.h"
#include "StandInTestSupport.h"

using namespace standintest;

namespace {

// Calls the interface the way the engine's declaration does: by position
// in the table of methods (0-2 are IUnknown's).
HRESULT CallMethod(IUnknown* object, int entry, int value) {
    using Method = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, int);
    Method* table = *reinterpret_cast<Method**>(object);
    return table[entry](object, value);
}

std::vector<BenchControlCall> Calls(IBenchStandInControl* control) {
    UINT count = 0;
    control->GetAudioControlCalls(nullptr, 0, &count);
    std::vector<BenchControlCall> calls(count);
    if (count != 0) {
        control->GetAudioControlCalls(calls.data(), count, &count);
    }
    calls.resize(count);
    return calls;
}

std::vector<uint8_t> Ramp(size_t count, uint8_t first) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(first + i);
    }
    return bytes;
}

}  // namespace

class AudioControl : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        control_ = Create<IBenchStandInControl>(CLSID_BenchStandInControl);
        ASSERT_TRUE(control_);
        control_->Reset();
    }
    ComPtr<IBenchStandInControl> control_;
};

TEST_F(AudioControl, FoundByFriendlyNameWithItsInterface) {
    EXPECT_EQ(CLSID_BenchAudioControl, FindByFriendlyName(L"Vimbrel Audio"));
    ComPtr<IBaseFilter> filter = Create<IBaseFilter>(CLSID_BenchAudioControl);
    ASSERT_TRUE(filter);
    ComPtr<IUnknown> control;
    EXPECT_EQ(S_OK, filter->QueryInterface(IID_IAudioControlFilter, reinterpret_cast<void**>(control.GetAddressOf())));
}

TEST_F(AudioControl, MuteIsTheSixthMethodAndStrayCallsAreRecorded) {
    ComPtr<IBaseFilter> filter = Create<IBaseFilter>(CLSID_BenchAudioControl);
    ComPtr<IUnknown> control;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IAudioControlFilter, reinterpret_cast<void**>(control.GetAddressOf())));
    EXPECT_EQ(S_OK, CallMethod(control.Get(), 3 + 5, 1));  // the sixth after IUnknown: mute
    EXPECT_EQ(S_OK, CallMethod(control.Get(), 3 + 5, 0));
    // Entry 6 is the fourth method: what a caller counting from the table's
    // start would reach. It must not mute, and it shows up as stray.
    EXPECT_EQ(E_NOTIMPL, CallMethod(control.Get(), 6, 1));

    const std::vector<BenchControlCall> calls = Calls(control_.Get());
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ(6, calls[0].method);
    EXPECT_EQ(1, calls[0].value);
    EXPECT_EQ(6, calls[1].method);
    EXPECT_EQ(0, calls[1].value);
    EXPECT_EQ(4, calls[2].method);

    BenchControlCall one[1] = {};
    UINT count = 0;
    EXPECT_EQ(S_OK, control_->GetAudioControlCalls(one, 1, &count));
    EXPECT_EQ(1u, count);
    EXPECT_EQ(E_POINTER, control_->GetAudioControlCalls(nullptr, 1, &count));
    control_->Reset();
    EXPECT_TRUE(Calls(control_.Get()).empty());
}

TEST_F(AudioControl, MutedSoundPassesAsSilence) {
    for (WORD bits : {16, 8}) {
        control_->Reset();
        CPushSource* source = new CPushSource(PcmType(1, 8000, bits), 256);
        ComPtr<IBaseFilter> sourceFilter(source);
        CKeepingSink* sink = new CKeepingSink(MEDIATYPE_Audio);
        ComPtr<IBaseFilter> sinkFilter(sink);
        ComPtr<IBaseFilter> filter = Create<IBaseFilter>(CLSID_BenchAudioControl);
        ComPtr<IAudioControlFilter> mute;
        ASSERT_EQ(S_OK, filter.As(&mute));
        TestGraph graph;
        graph.Add(sourceFilter.Get(), L"Audio Capture");
        graph.Add(filter.Get(), L"Audio Control Filter");
        graph.Add(sinkFilter.Get(), L"Writer");
        ASSERT_EQ(S_OK, graph.Connect(source->Pin(), PinNamed(filter.Get(), L"XForm In").Get()));
        ASSERT_EQ(S_OK, graph.Connect(PinNamed(filter.Get(), L"XForm Out").Get(), sink->Pin()));

        ASSERT_EQ(S_OK, graph.control->Run());
        ASSERT_EQ(S_OK, source->Push(Ramp(64, 1), 0, 1));
        mute->SetMute(1);
        ASSERT_EQ(S_OK, source->Push(Ramp(64, 65), 1, 2));
        mute->SetMute(0);
        ASSERT_EQ(S_OK, source->Push(Ramp(64, 129), 2, 3));
        ASSERT_EQ(S_OK, graph.control->Stop());

        const std::vector<SinkSample> samples = sink->Samples();
        ASSERT_EQ(3u, samples.size());
        EXPECT_EQ(Ramp(64, 1), samples[0].bytes);
        // Silence is 0x80 in unsigned 8-bit sound, 0 in wider samples.
        EXPECT_EQ(std::vector<uint8_t>(64, bits == 8 ? 0x80 : 0x00), samples[1].bytes) << bits;
        EXPECT_EQ(Ramp(64, 129), samples[2].bytes);
        LONGLONG passed = 0;
        LONGLONG silenced = 0;
        EXPECT_EQ(S_OK, control_->GetAudioBuffers(&passed, &silenced));
        EXPECT_EQ(3, passed);
        EXPECT_EQ(1, silenced);
    }
}
