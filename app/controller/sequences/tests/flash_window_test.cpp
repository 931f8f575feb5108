#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CFlashWindow.h"
#include "MessagePump.h"
#include "PanelAcpi.h"
#include "PanelAcpiPacking.h"

namespace vimbrel::controller {
namespace {

class CRecordingAcpi final : public IPanelAcpi {
public:
    int Read(std::uint32_t method) override {
        calls.push_back(method == kAcpiReadBrightness ? "GPLV" : "?");
        return brightness;
    }
    int Set(std::uint32_t method, int value) override {
        calls.push_back((method == kAcpiSetBrightness ? "SPLV " : "? ") + std::to_string(value));
        return 0;
    }
    int brightness = 9;
    std::vector<std::string> calls;
};

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST(FlashWindow, CoversTheScreenAndSetsThePanelWhileOn) {
    CRecordingAcpi acpi;
    CFlashWindow flash(acpi);
    ASSERT_TRUE(flash.Create(nullptr, 255, 255, 255));
    RECT rect{};
    GetWindowRect(flash.Handle(), &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_FALSE(IsWindowVisible(flash.Handle()));

    flash.Flash(true, -1);
    EXPECT_TRUE(IsWindowVisible(flash.Handle()));
    EXPECT_TRUE(IsTopmost(flash.Handle()));
    EXPECT_EQ(flash.SavedBrightness(), 9);
    flash.Flash(true, -1);  // a second on reads nothing more
    flash.Flash(false, -1);
    EXPECT_FALSE(IsWindowVisible(flash.Handle()));
    EXPECT_FALSE(IsTopmost(flash.Handle()));
    flash.Flash(false, -1);  // a second off restores nothing more
    EXPECT_EQ(acpi.calls, (std::vector<std::string>{"GPLV", "SPLV 15", "SPLV 9"}));
}

TEST(FlashWindow, FailedReadLeavesThePanelAloneButStillShows) {
    CRecordingAcpi acpi;
    acpi.brightness = -1;
    CFlashWindow flash(acpi);
    ASSERT_TRUE(flash.Create(nullptr, 255, 255, 255));
    flash.Flash(true, -1);
    EXPECT_TRUE(IsWindowVisible(flash.Handle()));
    flash.Flash(false, -1);
    EXPECT_EQ(acpi.calls, (std::vector<std::string>{"GPLV"}));
}

TEST(FlashWindow, TimerAndClickTurnItOffAndItCannotBeMoved) {
    CRecordingAcpi acpi;
    CFlashWindow flash(acpi);
    ASSERT_TRUE(flash.Create(nullptr, 255, 255, 255));
    flash.Flash(true, 60);
    testbench::PumpFor(400);
    EXPECT_FALSE(flash.IsOn());
    EXPECT_FALSE(IsWindowVisible(flash.Handle()));

    flash.Flash(true, -1);
    EXPECT_EQ(SendMessageW(flash.Handle(), WM_NCHITTEST, 0, MAKELPARAM(5, 5)), HTCAPTION);
    SetWindowPos(flash.Handle(), nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT rect{};
    GetWindowRect(flash.Handle(), &rect);
    EXPECT_EQ(rect.left, 0);
    SendMessageW(flash.Handle(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(5, 5));
    EXPECT_FALSE(flash.IsOn());
    EXPECT_EQ(acpi.calls, (std::vector<std::string>{"GPLV", "SPLV 15", "SPLV 9", "GPLV", "SPLV 15", "SPLV 9"}));
}

TEST(PanelAcpiDevice, WithoutTheNotebookDeviceEveryCallFails) {
    CDevicePanelAcpi device;
    EXPECT_EQ(device.Read(kAcpiReadBrightness), -1);
    EXPECT_EQ(device.Set(kAcpiSetBrightness, 15), -1);
}

}  // namespace
}  // namespace vimbrel::controller
