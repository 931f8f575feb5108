// The user's hands for the screen tests: the pointer and the keyboard as the
// system's input queue sees them, so the program's windows get the same
// messages, captures and leave notices as under a real mouse.
#pragma once

#include <windows.h>

namespace vimbrel::screentest {

// Moves the pointer to a screen point in a few steps, as a hand does, and
// lets the windows under it answer.
void MoveMouseTo(POINT screen);
// Presses and releases the left button where the pointer is put.
void ClickAt(POINT screen);
// Presses and releases one key; it goes to the window with the keyboard.
void PressKey(WORD virtualKey);

// A point of a window's client area on the screen; the centre by default.
POINT OnScreen(HWND window, int clientX, int clientY);
POINT CentreOf(HWND window);

}  // namespace vimbrel::screentest
