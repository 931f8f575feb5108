#include "CDialogDismisser.h"

namespace testbench {

namespace {

std::wstring WindowText(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(hwnd, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM out) {
    auto* text = reinterpret_cast<std::wstring*>(out);
    if (_wcsicmp(ClassName(child).c_str(), L"Static") == 0) {
        std::wstring piece = WindowText(child);
        if (!piece.empty()) {
            if (!text->empty()) *text += L'\n';
            *text += piece;
        }
    }
    return TRUE;
}

}  // namespace

CDialogDismisser::CDialogDismisser(int button, DWORD pollMs) : button_(button), pollMs_(pollMs) {
    stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &CDialogDismisser::ThreadMain, this, 0, nullptr);
}

CDialogDismisser::~CDialogDismisser() {
    SetEvent(stop_);
    if (thread_) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    CloseHandle(stop_);
}

std::vector<DismissedDialog> CDialogDismisser::Dismissed() const {
    std::lock_guard<std::mutex> hold(lock_);
    return dismissed_;
}

size_t CDialogDismisser::WaitFor(size_t count, DWORD timeoutMs) const {
    DWORD start = GetTickCount();
    for (;;) {
        size_t have;
        {
            std::lock_guard<std::mutex> hold(lock_);
            have = dismissed_.size();
        }
        if (have >= count || GetTickCount() - start >= timeoutMs) return have;
        Sleep(10);
    }
}

void CDialogDismisser::SetBeforePress(std::function<void(HWND dialog)> hook) {
    std::lock_guard<std::mutex> hold(lock_);
    beforePress_ = std::move(hook);
}

void CDialogDismisser::Clear() {
    std::lock_guard<std::mutex> hold(lock_);
    dismissed_.clear();
}

DWORD WINAPI CDialogDismisser::ThreadMain(LPVOID self) {
    auto* dismisser = static_cast<CDialogDismisser*>(self);
    while (WaitForSingleObject(dismisser->stop_, dismisser->pollMs_) == WAIT_TIMEOUT) dismisser->Poll();
    return 0;
}

BOOL CALLBACK CDialogDismisser::OnTopWindow(HWND hwnd, LPARAM self) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && ClassName(hwnd) == L"#32770")
        reinterpret_cast<CDialogDismisser*>(self)->Dismiss(hwnd);
    return TRUE;
}

void CDialogDismisser::Poll() {
    EnumWindows(&CDialogDismisser::OnTopWindow, reinterpret_cast<LPARAM>(this));
    // Forget handles of boxes that are gone, so a reused handle counts anew.
    std::lock_guard<std::mutex> hold(lock_);
    for (auto it = handled_.begin(); it != handled_.end();)
        it = IsWindow(it->first) ? std::next(it) : handled_.erase(it);
}

int CDialogDismisser::Press(HWND dialog, int button) {
    HWND control = GetDlgItem(dialog, button);
    if (control && IsWindowEnabled(control)) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
        return button;
    }
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    return IDCANCEL;
}

void CDialogDismisser::Dismiss(HWND dialog) {
    // A press posted while the box is still settling can be lost; a box that
    // outlives our press is pressed again, but recorded only once.
    const DWORD retryMs = 250;
    std::function<void(HWND)> hook;
    {
        std::lock_guard<std::mutex> hold(lock_);
        auto known = handled_.find(dialog);
        if (known != handled_.end()) {
            if (GetTickCount() - known->second >= retryMs) {
                known->second = GetTickCount();
                Press(dialog, button_.load());
            }
            return;
        }
        handled_[dialog] = GetTickCount();
        hook = beforePress_;
    }
    if (hook) hook(dialog);
    DismissedDialog record;
    record.caption = WindowText(dialog);
    EnumChildWindows(dialog, &CollectStatic, reinterpret_cast<LPARAM>(&record.text));
    record.pressed = Press(dialog, button_.load());

    std::lock_guard<std::mutex> hold(lock_);
    dismissed_.push_back(record);
}

}  // namespace testbench
