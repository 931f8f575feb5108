#include "framework/CWindow.h"

#include "CallGuard.h"

#include <mutex>
#include <unordered_map>

namespace framework {
namespace {

// Handle -> object for every bound window of the process. Windows belong to
// the thread that made them, but FromHandle is asked from workers too.
class CWindowMap {
public:
    CWindow* Find(HWND hwnd) {
        std::lock_guard<std::mutex> hold(lock_);
        auto found = map_.find(hwnd);
        return found == map_.end() ? nullptr : found->second;
    }
    bool Add(HWND hwnd, CWindow* window) {
        std::lock_guard<std::mutex> hold(lock_);
        return map_.emplace(hwnd, window).second;
    }
    void Remove(HWND hwnd) {
        std::lock_guard<std::mutex> hold(lock_);
        map_.erase(hwnd);
    }

private:
    std::mutex lock_;
    std::unordered_map<HWND, CWindow*> map_;
};

CWindowMap& Windows() {
    static CWindowMap map;
    return map;
}

// The object whose window CreateWindowEx is making on this thread; bound at
// the window's first message, which comes before WM_NCCREATE returns.
thread_local CWindow* creating = nullptr;

HWND ReflectionTarget(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY: return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
        auto item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? GetDlgItem(parent, static_cast<int>(item->CtlID)) : nullptr;
    }
    default: (void)wParam; return nullptr;
    }
}

}  // namespace

LRESULT CALLBACK RouteMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // The system called us: nothing thrown below may unwind into it.
    return boundary::GuardedMessage(message, [&]() -> LRESULT {
        CWindow* window = Windows().Find(hwnd);
        if (!window) {
            if (!creating) return DefWindowProcW(hwnd, message, wParam, lParam);
            window = creating;
            creating = nullptr;
            window->Attach(hwnd, &DefWindowProcW);
        }
        // Guarded on its own, so that a handler throwing on the last
        // message still lets the object go from the map.
        const LRESULT result = boundary::GuardedMessage(message,
                                                        [&] { return window->WindowProc(message, wParam, lParam); });
        if (message == WM_NCDESTROY) {
            window->Detach();
            window->OnFinalMessage();
        }
        return result;
    });
}

CWindow::~CWindow() {
    if (!hwnd_) return;
    if (created_) DestroyWindow(hwnd_);  // WM_NCDESTROY detaches
    if (hwnd_) Unsubclass();
}

bool CWindow::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
                     HWND parent, UINT_PTR idOrMenu) {
    if (hwnd_ || !className) return false;
    CWindow* outer = creating;
    creating = this;
    HWND hwnd = CreateWindowExW(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(idOrMenu),
                                GetModuleHandleW(nullptr), nullptr);
    if (creating == this) creating = outer;
    if (!hwnd) {
        // A window refused in WM_NCCREATE/WM_CREATE is gone already.
        return false;
    }
    if (hwnd_ != hwnd && !Subclass(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    created_ = true;
    return true;
}

bool CWindow::Subclass(HWND hwnd) {
    if (hwnd_ || !IsWindow(hwnd) || Windows().Find(hwnd)) return false;
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RouteMessage)));
    if (!previous) return false;
    Attach(hwnd, previous);
    subclassed_ = true;
    return true;
}

HWND CWindow::Unsubclass() {
    HWND hwnd = hwnd_;
    if (!hwnd) return nullptr;
    if (subclassed_ && GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&RouteMessage))
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    Detach();
    return hwnd;
}

void CWindow::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

CWindow* CWindow::FromHandle(HWND hwnd) { return hwnd ? Windows().Find(hwnd) : nullptr; }

bool CWindow::PreTranslateMessage(MSG&) { return false; }

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, result)) return result;
    return DefaultProc(message, wParam, lParam);
}

LRESULT CWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!hwnd_) return 0;
    return CallWindowProcW(previous_, hwnd_, message, wParam, lParam);
}

bool CWindow::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void CWindow::Attach(HWND hwnd, WNDPROC previous) {
    hwnd_ = hwnd;
    previous_ = previous;
    subclassed_ = false;
    Windows().Add(hwnd, this);
}

void CWindow::Detach() {
    if (hwnd_) Windows().Remove(hwnd_);
    hwnd_ = nullptr;
    previous_ = nullptr;
    subclassed_ = false;
    created_ = false;
}

bool CWindow::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND target = ReflectionTarget(hwnd_, message, wParam, lParam);
    if (!target || target == hwnd_) return false;
    CWindow* child = FromHandle(target);
    return child && child->OnReflectedMessage(message, wParam, lParam, result);
}

bool WalkPreTranslate(MSG& msg, HWND last) {
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = GetParent(hwnd)) {
        CWindow* window = CWindow::FromHandle(hwnd);
        if (window && window->PreTranslateMessage(msg)) return true;
        if (hwnd == last) break;
    }
    return false;
}

}  // namespace framework
