// The main window's small decisions, kept apart from the window so they can
// be checked on any machine: the second-instance rule, when the window may
// show itself, which notices go on to the controller, and where it sits.
#pragma once

#include <cstdint>

namespace vimbrel::mainwindow {

// The about box opens from this rectangle of the client area; the skin's
// drag handle spares it.
struct ClientRect {
    int left, top, right, bottom;
};
constexpr ClientRect kAboutRect{680, 30, 760, 85};

// A button released here opens the about box: right and bottom edges are
// outside, as for any rectangle of the system.
bool InAboutRect(int x, int y);

// What a starting process does about an instance already running.
enum class StartAction {
    kRunAsFirst,   // no instance yet: this one is the program
    kExitQuietly,  // the first is still starting (or has no window): leave it alone
    kRestoreFirstAndExit,
};
// instanceExisted: the instance mutex was there already; initExisted: the
// start-up mutex was, so the first one has not finished starting;
// windowFound: the first one's main window was found by its caption.
StartAction DecideStart(bool instanceExisted, bool initExisted, bool windowFound);

// Whether the main window may become visible. It starts allowed; a hide
// notice forbids every show until a show notice allows it again.
class CShowGate {
public:
    bool MayShow() const { return mayShow_; }
    // The show notice's wParam: non-zero allows, 0 forbids.
    void OnShowNotice(std::uintptr_t wParam) { mayShow_ = wParam != 0; }
    // A pending window-position change: the show request taken out while
    // showing is forbidden.
    unsigned FilterPositionFlags(unsigned flags) const;
    // A show (not hide) that really goes through starts the prompt timer;
    // a show the gate has stripped does not, so the prompt never opens over
    // a hidden window.
    bool StartsPromptTimer(bool showing) const { return showing && mayShow_; }

private:
    bool mayShow_ = true;
};

// The camera-button tool's wParam values.
enum class HardwareButton { kNone, kCapture, kZoom };
HardwareButton HardwareButtonOf(std::uintptr_t wParam);

// The power notices that go on to the controller: suspend and resume from
// suspend.
bool IsForwardedPowerNotice(std::uintptr_t wParam);

// The system-menu command the dialog ignores (its about entry's value).
bool IsIgnoredSystemCommand(std::uintptr_t command);

// Keys the main window swallows before any dialog handling: Esc and Enter
// must neither close it nor press a button.
bool IsSwallowedKey(unsigned message, std::uintptr_t virtualKey);

// The top-left corner that centres a window on the screen.
struct Point {
    int x, y;
};
Point CentredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

}  // namespace vimbrel::mainwindow
