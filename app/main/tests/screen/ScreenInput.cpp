#include "ScreenInput.h"

#include "MessagePump.h"

namespace vimbrel::screentest {
namespace {

void SendMouse(DWORD flags, POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute moves are in 0..65535 over the primary screen.
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

}  // namespace

void MoveMouseTo(POINT screen) {
    POINT from{};
    GetCursorPos(&from);
    constexpr int kSteps = 4;
    for (int i = 1; i <= kSteps; ++i) {
        SendMouse(0, {from.x + (screen.x - from.x) * i / kSteps, from.y + (screen.y - from.y) * i / kSteps});
        testbench::PumpFor(40);
    }
    testbench::PumpFor(200);
}

void ClickAt(POINT screen) {
    SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
    testbench::PumpFor(80);
    SendMouse(MOUSEEVENTF_LEFTUP, screen);
    testbench::PumpFor(400);
}

void PressKey(WORD virtualKey) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    testbench::PumpFor(400);
}

POINT OnScreen(HWND window, int clientX, int clientY) {
    POINT at{clientX, clientY};
    ClientToScreen(window, &at);
    return at;
}

POINT CentreOf(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return OnScreen(window, r.right / 2, r.bottom / 2);
}

}  // namespace vimbrel::screentest
