// A window object: one C++ object per window handle, with a virtual window
// procedure. Windows of our own classes are bound from their very first
// message; windows of system classes (controls, dialogs) are subclassed.
#pragma once

#include <windows.h>

namespace framework {

class CWindow {
public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    // A window that is still alive is destroyed (created by this object) or
    // given back its own procedure (subclassed by this object).
    virtual ~CWindow();

    HWND Handle() const { return hwnd_; }

    // Creates a window of any class. For classes registered with
    // RegisterAnonymousClass the object sees every message from the first;
    // other classes are subclassed as soon as CreateWindowEx returns.
    bool Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
                HWND parent, UINT_PTR idOrMenu);
    // Routes an existing window's messages through this object.
    bool Subclass(HWND hwnd);
    // Gives the window its own procedure back and forgets it.
    HWND Unsubclass();
    void Destroy();

    // The object bound to a window handle, or null.
    static CWindow* FromHandle(HWND hwnd);

    // Called for every message the message loops take from the queue whose
    // target is this window or one of its children; true when it is handled
    // and must not be dispatched.
    virtual bool PreTranslateMessage(MSG& msg);

protected:
    // The object's window procedure. The default reflects notifications
    // addressed to a child object back to it, then calls DefaultProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // A notification the parent reflected to this control (WM_COMMAND,
    // WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*, WM_HSCROLL,
    // WM_VSCROLL); true with result set when the control handled it.
    virtual bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // After the window's last message; the object no longer has a handle.
    virtual void OnFinalMessage() {}

private:
    friend LRESULT CALLBACK RouteMessage(HWND, UINT, WPARAM, LPARAM);
    friend class CDialog;

    void Attach(HWND hwnd, WNDPROC previous);
    void Detach();
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND hwnd_ = nullptr;
    WNDPROC previous_ = nullptr;  // the class's or the original procedure
    bool subclassed_ = false;     // previous_ was replaced in the window itself
    bool created_ = false;        // this object created the window
};

// The window procedure of every bound window.
LRESULT CALLBACK RouteMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers (once per set of attributes) a window class whose procedure
// binds windows to their objects; returns its name, or null on failure.
const wchar_t* RegisterAnonymousClass(UINT style, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                                      HICON icon = nullptr);

// Offers msg to the PreTranslateMessage of each object from its target up
// through the parents, stopping after `last` (null: the top-level window).
bool WalkPreTranslate(MSG& msg, HWND last);

}  // namespace framework
