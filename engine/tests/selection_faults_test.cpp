// Device selection where the lists hold what a real machine may: two
// cameras of one model under one name, and a device that cannot be opened.
#include "engine/tests/EngineTestSupport.h"

#include "engine/win/CaptureEngineState.h"
#include "engine/win/FilterLookup.h"

namespace enginetest {
namespace {

using camera::ComPtr;
using camera::Engine;

ComPtr<IMoniker> MonikerOf(const CLSID& category, const std::wstring& name) {
    ComPtr<IEnumMoniker> monikers;
    if (camera::EnumerateCategory(category, monikers) != S_OK) return nullptr;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        if (camera::ReadFriendlyName(moniker.Get()) == name) return moniker;
    }
    return nullptr;
}

CLSID ClassOf(IBaseFilter* filter) {
    CLSID clsid{};
    if (filter != nullptr) filter->GetClassID(&clsid);
    return clsid;
}

using SelectionFaults = EngineTest;

TEST_F(SelectionFaults, TwinCamerasUnderOneNameOpenTheOneChosen) {
    ASSERT_EQ(1, Start(2));
    // A third node named like the first camera but standing for the second.
    ComPtr<IMoniker> second = MonikerOf(CLSID_VideoInputDeviceCategory, BENCH_CAMERA2_NAME);
    ASSERT_TRUE(second);
    Engine().videoDevices.Append("Vimbrel Bench Camera", u"Vimbrel Bench Camera", second);
    SelectVideoDevice(2, 0, 0);
    EXPECT_EQ(CLSID_BenchCamera2, ClassOf(Engine().videoCapture.Get()));
}

TEST_F(SelectionFaults, AMicrophoneThatCannotBeOpenedLeavesTheWorkingOneInPlace) {
    ASSERT_EQ(1, Start(2));
    ComPtr<IBaseFilter> working = Engine().audioCapture;
    ASSERT_TRUE(working);
    ASSERT_TRUE(Engine().microphoneMixer);
    Engine().audioDevices.Append("Broken Microphone", u"", nullptr);
    EXPECT_EQ(0, SelectAudioDevice(1));
    EXPECT_EQ(working.Get(), Engine().audioCapture.Get());
    EXPECT_TRUE(Engine().microphoneMixer);
    EXPECT_EQ(1, SetAudioVolume(0.5));
    EXPECT_EQ(1, SelectAudioDevice(0));  // still the selected one
}

TEST_F(SelectionFaults, ACameraThatCannotBeOpenedKeepsTheCurrentOne) {
    ASSERT_EQ(1, Start(2));
    ComPtr<IBaseFilter> working = Engine().videoCapture;
    Engine().videoDevices.Append("Broken Camera", u"Broken Camera", nullptr);
    EXPECT_EQ(0, SelectVideoDevice(2, 0, 0));
    EXPECT_EQ(working.Get(), Engine().videoCapture.Get());
    EXPECT_LT(SelectVideoDeviceByName(L"Broken Camera"), 0);
    EXPECT_EQ(working.Get(), Engine().videoCapture.Get());
}

// A filter that opens but has no stream configuration cannot take the size
// asked for: the switch is refused and the working camera stays, under its
// own index and with its own formats.
TEST_F(SelectionFaults, ACameraThatRefusesTheSizeKeepsTheCurrentOne) {
    ASSERT_EQ(1, Start(2, 2));
    ComPtr<IBaseFilter> working = Engine().videoCapture;
    const int formats = Engine().videoFormats.Count();
    ComPtr<IMoniker> sizeless = MonikerOf(CLSID_LegacyAmFilterCategory, BENCH_PASSTHROUGH_NAME);
    ASSERT_TRUE(sizeless);
    Engine().videoDevices.Append("Sizeless Camera", u"Sizeless Camera", sizeless);
    EXPECT_EQ(0, SelectVideoDevice(2, 320, 240));
    EXPECT_EQ(working.Get(), Engine().videoCapture.Get());
    EXPECT_EQ(0, Engine().values.selectedVideoDevice);
    EXPECT_EQ(formats, Engine().videoFormats.Count());
    EXPECT_EQ(2, Engine().values.currentFormatIndex);
}

}  // namespace
}  // namespace enginetest
