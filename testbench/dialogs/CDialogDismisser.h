// Closes the modal boxes ("#32770" windows) that the process under test
// opens, so that no message box can hang a test run, and records what each
// one said so that tests can assert on it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <map>
#include <string>
#include <vector>

namespace testbench {

struct DismissedDialog {
    std::wstring caption;
    std::wstring text;  // the box's static texts, joined by '\n'
    int pressed = 0;    // the button id we pressed (or IDCANCEL via WM_CLOSE)
};

class CDialogDismisser {
public:
    // button: the command id to press (IDOK, IDYES, IDNO, IDCANCEL...). When
    // the box has no such button it is closed with WM_CLOSE instead.
    explicit CDialogDismisser(int button = IDOK, DWORD pollMs = 20);
    ~CDialogDismisser();

    CDialogDismisser(const CDialogDismisser&) = delete;
    CDialogDismisser& operator=(const CDialogDismisser&) = delete;

    void SetButton(int button) { button_.store(button); }
    // Called on the dismisser's thread with each new box before its button
    // is pressed, so that a test can work the box's controls as a user
    // would (type a value, tick a box) and then have it confirmed.
    void SetBeforePress(std::function<void(HWND dialog)> hook);
    std::vector<DismissedDialog> Dismissed() const;
    // Waits until at least count boxes were dismissed; returns how many were.
    size_t WaitFor(size_t count, DWORD timeoutMs) const;
    void Clear();

private:
    static DWORD WINAPI ThreadMain(LPVOID self);
    static BOOL CALLBACK OnTopWindow(HWND hwnd, LPARAM self);
    void Poll();
    void Dismiss(HWND dialog);
    static int Press(HWND dialog, int button);

    std::atomic<int> button_;
    DWORD pollMs_;
    HANDLE stop_ = nullptr;
    HANDLE thread_ = nullptr;
    mutable std::mutex lock_;
    std::vector<DismissedDialog> dismissed_;
    std::map<HWND, DWORD> handled_;  // box -> tick of our last press
    std::function<void(HWND)> beforePress_;
};

}  // namespace testbench
