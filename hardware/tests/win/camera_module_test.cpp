// The camera modules as the main program loads them, against the simulated
// camera: device selection, capabilities, ranges and the rotation status of
// both lensknob builds, and nullknob's four exports.
#include "HardwareTestSupport.h"
#include "CDialogDismisser.h"

#include <memory>

namespace hwtest {
namespace {

using InitializeFn = int (*)();
using SetCameraDeviceFn = int (*)(const wchar_t*);
using GetCapsFn = int (*)(int*);
using GetRangeFn = int (*)(int, int*, int*, int*, int*);
using GetFn = int (*)(int, int*);
using SetFn = int (*)(int, int);

struct CameraModule {
    explicit CameraModule(const std::wstring& path) : library(path) {
        Initialize = library.Proc<InitializeFn>("Initialize");
        Uninitialize = library.Proc<InitializeFn>("Uninitialize");
        SetCameraDevice = library.Proc<SetCameraDeviceFn>("SetCameraDevice");
        GetCaps = library.Proc<GetCapsFn>("GetCaps");
        GetRange = library.Proc<GetRangeFn>("GetRange");
        Get = library.Proc<GetFn>("Get");
        Set = library.Proc<SetFn>("Set");
    }
    bool Complete() const { return Initialize && Uninitialize && SetCameraDevice && GetCaps && GetRange && Get && Set; }

    CLoadedLibrary library;
    InitializeFn Initialize;
    InitializeFn Uninitialize;
    SetCameraDeviceFn SetCameraDevice;
    GetCapsFn GetCaps;
    GetRangeFn GetRange;
    GetFn Get;
    SetFn Set;
};

class LensModule : public SimCameraTest {
protected:
    void Load(const wchar_t* folder) {
        module_ = std::make_unique<CameraModule>(BinFolder() + L"\\" + folder + L"\\lensknob.dll");
        ASSERT_NE(nullptr, module_->library.Get());
        ASSERT_TRUE(module_->Complete());
    }
    void TearDown() override {
        module_.reset();
        SimCameraTest::TearDown();
    }

    // What both builds answer the same way once a device is selected.
    void ExpectOnlyTheRotationStatusOffered() {
        CameraModule& m = *module_;
        int mask = -1;
        ASSERT_EQ(1, m.GetCaps(&mask));
        EXPECT_EQ(16, mask);
        int minimum = -1, maximum = -1, step = -1, defaultValue = -1;
        ASSERT_EQ(1, m.GetRange(16, &minimum, &maximum, &step, &defaultValue));
        EXPECT_EQ(0, minimum);
        EXPECT_EQ(1, maximum);
        EXPECT_EQ(1, step);
        EXPECT_EQ(0, defaultValue);
        int value = -1;
        for (int id : {1, 2, 4, 8, 32}) {
            EXPECT_EQ(0, m.GetRange(id, &minimum, &maximum, &step, &defaultValue)) << id;
            EXPECT_EQ(0, m.Get(id, &value)) << id;
            EXPECT_EQ(0, m.Set(id, 0)) << id;
        }
        EXPECT_EQ(0, m.Set(16, 0));
        EXPECT_EQ(0, m.Set(16, 1));
        EXPECT_EQ(0, m.Get(16, nullptr));
    }

    // Before any selection, and after a failed one, only selection works.
    void ExpectNothingSelected() {
        CameraModule& m = *module_;
        int mask = -1, a = 0, b = 0, c = 0, d = 0;
        EXPECT_EQ(0, m.GetCaps(&mask));
        EXPECT_EQ(0, m.GetRange(16, &a, &b, &c, &d));
        EXPECT_EQ(0, m.Get(16, &a));
    }

    // Selecting the same name again does not look at the device list: a
    // device taken off the list stays selected until another name is chosen.
    void ExpectRepeatedNamesNotLookedUp() {
        CameraModule& m = *module_;
        ASSERT_EQ(1, m.SetCameraDevice(SIM_CAMERA2_NAME));
        ASSERT_TRUE(SimCameraListDevice(1, FALSE));
        EXPECT_EQ(1, m.SetCameraDevice(SIM_CAMERA2_NAME));
        EXPECT_EQ(1, m.SetCameraDevice(SIM_CAMERA_NAME));
        EXPECT_EQ(0, m.SetCameraDevice(SIM_CAMERA2_NAME));
        ExpectNothingSelected();
        SimCameraListDevice(1, TRUE);
    }

    std::unique_ptr<CameraModule> module_;
};

using RotationModule = LensModule;
using VendorModule = LensModule;

TEST_F(RotationModule, InitializeWithoutTheChipSaysSoAndFails) {
    Load(L"lensknob-rotation");
    testbench::CDialogDismisser dismisser(IDOK);
    EXPECT_EQ(0, module_->Initialize());
    const std::vector<testbench::DismissedDialog> boxes = dismisser.Dismissed();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Hareware Control", boxes[0].caption);
    EXPECT_EQ(L"Can't Find the Device", boxes[0].text);
}

TEST_F(RotationModule, ReportsTheChipsRotationForTheSelectedDevice) {
    driver_.ListInstances({SIM_CAMERA_NAME});
    Load(L"lensknob-rotation");
    testbench::CDialogDismisser dismisser(IDOK);
    ASSERT_EQ(1, module_->Initialize());
    EXPECT_TRUE(dismisser.Dismissed().empty());
    ExpectNothingSelected();

    EXPECT_EQ(0, module_->SetCameraDevice(nullptr));
    EXPECT_EQ(0, module_->SetCameraDevice(L"vimbrel sim chip camera"));
    ExpectNothingSelected();
    ASSERT_EQ(1, module_->SetCameraDevice(SIM_CAMERA_NAME));
    ExpectOnlyTheRotationStatusOffered();

    int value = -1;
    SimCameraSetRegister(0, 0x1009, 1);
    ASSERT_EQ(1, module_->Get(16, &value));
    EXPECT_EQ(0, value);
    SimCameraSetRegister(0, 0x1009, 0x10);
    ASSERT_EQ(1, module_->Get(16, &value));
    EXPECT_EQ(1, value);
    EXPECT_EQ(0, SimCameraCreatedFilters(1)) << "selecting by name binds nothing";
    EXPECT_EQ(1, module_->Uninitialize());
}

TEST_F(RotationModule, LooksUpOnlyNewNames) {
    Load(L"lensknob-rotation");
    ExpectRepeatedNamesNotLookedUp();
}

TEST_F(VendorModule, ReadsTheRotationThroughTheDriversInterface) {
    Load(L"lensknob-vendor");
    testbench::CDialogDismisser dismisser(IDOK);
    EXPECT_EQ(1, module_->Initialize()) << "no chip library involved";
    EXPECT_TRUE(dismisser.Dismissed().empty());
    ExpectNothingSelected();

    ASSERT_EQ(1, module_->SetCameraDevice(SIM_CAMERA2_NAME));
    ExpectOnlyTheRotationStatusOffered();
    SimCameraSetVendorReply(1, 1, S_OK);
    int value = -1;
    ASSERT_EQ(1, module_->Get(16, &value));
    EXPECT_EQ(1, value);
    SimCameraSetVendorReply(1, 0, S_OK);
    ASSERT_EQ(1, module_->Get(16, &value));
    EXPECT_EQ(0, value);

    ASSERT_EQ(2, SimCameraVendorCallCount(1));
    SimVendorCall call{};
    ASSERT_TRUE(SimCameraVendorCall(1, 0, &call));
    EXPECT_EQ(20u, call.size);
    const int32_t request[5] = {0, 29, 0, 0, 0};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(request[i], call.buffer[i]) << i;

    SimCameraSetVendorReply(1, 1, E_FAIL);
    value = -1;
    EXPECT_EQ(0, module_->Get(16, &value));
    EXPECT_EQ(-1, value);
    EXPECT_EQ(1, module_->Uninitialize());
}

TEST_F(VendorModule, HoldsOneDeviceAndLetsGoWhenTheSelectionEmpties) {
    Load(L"lensknob-vendor");
    ASSERT_EQ(1, module_->SetCameraDevice(SIM_CAMERA_NAME));
    ASSERT_EQ(1, module_->SetCameraDevice(SIM_CAMERA_NAME));
    EXPECT_EQ(1, SimCameraCreatedFilters(0)) << "the same name is bound once";
    ASSERT_EQ(1, module_->SetCameraDevice(SIM_CAMERA2_NAME));
    EXPECT_EQ(1, SimCameraLiveFilters()) << "the first device was released";

    SimCameraOfferVendorInterface(0, FALSE);
    EXPECT_EQ(0, module_->SetCameraDevice(SIM_CAMERA_NAME));
    ExpectNothingSelected();
    EXPECT_EQ(0, SimCameraLiveFilters());

    SimCameraFailCreation(1, E_ACCESSDENIED);
    EXPECT_EQ(0, module_->SetCameraDevice(SIM_CAMERA2_NAME));
    SimCameraFailCreation(1, S_OK);
    ASSERT_EQ(1, module_->SetCameraDevice(SIM_CAMERA2_NAME));
    EXPECT_EQ(0, module_->SetCameraDevice(L"A camera long gone"));
    EXPECT_EQ(0, SimCameraLiveFilters());

    ASSERT_EQ(1, module_->SetCameraDevice(SIM_CAMERA2_NAME));
    module_.reset();
    EXPECT_EQ(0, SimCameraLiveFilters()) << "unloading the module releases the device";
}

// The main program polls the status from a worker thread while its window
// thread may pick another camera: every answer must be a whole one.
TEST_F(VendorModule, PollingWhileTheDeviceChangesGivesWholeAnswers) {
    Load(L"lensknob-vendor");
    SimCameraSetVendorReply(0, 1, S_OK);
    SimCameraSetVendorReply(1, 0, S_OK);
    ASSERT_EQ(1, module_->SetCameraDevice(SIM_CAMERA_NAME));

    struct Poll {
        GetFn get;
        volatile LONG stop = 0;
        LONG answers = 0;
        LONG wrong = 0;
        static DWORD WINAPI Run(LPVOID self) {
            Poll& poll = *static_cast<Poll*>(self);
            CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            while (poll.stop == 0) {
                int value = -1;
                if (poll.get(16, &value) == 1) {
                    ++poll.answers;
                    poll.wrong += value != 0 && value != 1;
                }
            }
            CoUninitialize();
            return 0;
        }
    } poll;
    poll.get = module_->Get;
    HANDLE thread = CreateThread(nullptr, 0, &Poll::Run, &poll, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(1, module_->SetCameraDevice(kSimCameraNames[i % 2 == 0 ? 1 : 0]));
        EXPECT_EQ(0, module_->SetCameraDevice(L"A camera long gone"));
    }
    InterlockedExchange(&poll.stop, 1);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
    CloseHandle(thread);
    EXPECT_EQ(0, poll.wrong);
    EXPECT_EQ(0, SimCameraLiveFilters());
}

TEST_F(VendorModule, LooksUpOnlyNewNames) {
    Load(L"lensknob-vendor");
    ExpectRepeatedNamesNotLookedUp();
}

TEST(NullModule, ExportsFourFunctionsAndOffersNothing) {
    CameraModule m(BinFolder() + L"\\nullknob.dll");
    ASSERT_NE(nullptr, m.library.Get());
    EXPECT_EQ(nullptr, m.Initialize);
    EXPECT_EQ(nullptr, m.Uninitialize);
    EXPECT_EQ(nullptr, m.SetCameraDevice);
    EXPECT_FALSE(m.Complete()) << "so the main program never binds it";
    ASSERT_TRUE(m.GetCaps && m.GetRange && m.Get && m.Set);

    int mask = -1;
    EXPECT_EQ(1, m.GetCaps(&mask));
    EXPECT_EQ(0, mask);
    EXPECT_EQ(0, m.GetCaps(nullptr));
    int a = -1, b = -1, c = -1, d = -1;
    for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 16}) {
        EXPECT_EQ(0, m.GetRange(id, &a, &b, &c, &d)) << id;
        EXPECT_EQ(0, m.Get(id, &a)) << id;
        EXPECT_EQ(0, m.Set(id, 1)) << id;
    }
    EXPECT_EQ(-1, a);
}

}  // namespace
}  // namespace hwtest
