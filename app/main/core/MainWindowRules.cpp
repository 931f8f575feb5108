#include "MainWindowRules.h"

namespace vimbrel::mainwindow {
namespace {
// The window-message and flag values these rules deal in, as the system
// defines them.
constexpr unsigned kKeyDown = 0x0100;
constexpr std::uintptr_t kEscape = 0x1B;
constexpr std::uintptr_t kReturn = 0x0D;
constexpr unsigned kShowWindowFlag = 0x0040;  // SWP_SHOWWINDOW
constexpr std::uintptr_t kSuspend = 4;        // PBT_APMSUSPEND
constexpr std::uintptr_t kResumeSuspend = 7;  // PBT_APMRESUMESUSPEND
constexpr std::uintptr_t kCaptureButton = 71;
constexpr std::uintptr_t kZoomButton = 72;
}  // namespace

bool InAboutRect(int x, int y) {
    return x >= kAboutRect.left && x < kAboutRect.right && y >= kAboutRect.top && y < kAboutRect.bottom;
}

StartAction DecideStart(bool instanceExisted, bool initExisted, bool windowFound) {
    if (!instanceExisted) return StartAction::kRunAsFirst;
    if (windowFound && !initExisted) return StartAction::kRestoreFirstAndExit;
    return StartAction::kExitQuietly;
}

unsigned CShowGate::FilterPositionFlags(unsigned flags) const { return mayShow_ ? flags : (flags & ~kShowWindowFlag); }

HardwareButton HardwareButtonOf(std::uintptr_t wParam) {
    if (wParam == kCaptureButton) return HardwareButton::kCapture;
    if (wParam == kZoomButton) return HardwareButton::kZoom;
    return HardwareButton::kNone;
}

bool IsForwardedPowerNotice(std::uintptr_t wParam) { return wParam == kSuspend || wParam == kResumeSuspend; }

bool IsIgnoredSystemCommand(std::uintptr_t command) { return (command & 0xFFF0) == 0x0010; }

bool IsSwallowedKey(unsigned message, std::uintptr_t virtualKey) {
    return message == kKeyDown && (virtualKey == kEscape || virtualKey == kReturn);
}

Point CentredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    return Point{(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

}  // namespace vimbrel::mainwindow
