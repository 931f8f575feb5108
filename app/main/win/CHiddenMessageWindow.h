// The never-shown window by which a notebook's camera-button tool finds the
// program: class "VIDEOCAPEX_CLASSNAME", title "Vimbrel". The tool sends
// the registered message "KVX_VIDEOCAPEX_MESSAGE" with wParam 71 for the
// capture key and 72 for the zoom key.
#pragma once

#include "MainWindowRules.h"

#include <windows.h>

#include <functional>

namespace vimbrel::mainwindow {

constexpr wchar_t kHiddenWindowClass[] = L"VIDEOCAPEX_CLASSNAME";
constexpr wchar_t kHiddenWindowTitle[] = L"Vimbrel";
constexpr wchar_t kCameraButtonMessageName[] = L"KVX_VIDEOCAPEX_MESSAGE";

class CHiddenMessageWindow {
public:
    using ButtonHandler = std::function<void(HardwareButton)>;

    CHiddenMessageWindow() = default;
    ~CHiddenMessageWindow();
    CHiddenMessageWindow(const CHiddenMessageWindow&) = delete;
    CHiddenMessageWindow& operator=(const CHiddenMessageWindow&) = delete;

    // Registers the message and the class (an existing class is fine) and
    // makes the window owned by `owner`. False, with no window, when the
    // class cannot be registered for another reason or the window cannot
    // be made: the program then simply hears no camera button.
    bool Create(HWND owner, ButtonHandler onButton);
    void Destroy();
    HWND Handle() const { return hwnd_; }
    UINT Message() const { return message_; }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    UINT message_ = 0;
    ButtonHandler onButton_;
};

}  // namespace vimbrel::mainwindow
