#include "framework/CWindow.h"

#include <cwchar>
#include <mutex>
#include <set>
#include <string>

namespace framework {

// One class per set of attributes, named after them, so windows that only
// need a cursor or a background share a class without anyone naming it.
const wchar_t* RegisterAnonymousClass(UINT style, HCURSOR cursor, HBRUSH background, HICON icon) {
    static std::mutex lock;
    static std::set<std::wstring> names;  // node-based: c_str() stays valid

    HINSTANCE module = GetModuleHandleW(nullptr);
    wchar_t name[96];
    std::swprintf(name, sizeof(name) / sizeof(name[0]), L"Vimbrel:%p:%x:%p:%p:%p", static_cast<void*>(module), style,
                  static_cast<void*>(cursor), static_cast<void*>(background), static_cast<void*>(icon));

    std::lock_guard<std::mutex> hold(lock);
    auto known = names.find(name);
    if (known != names.end()) return known->c_str();

    WNDCLASSW wc{};
    wc.style = style;
    wc.lpfnWndProc = &RouteMessage;
    wc.hInstance = module;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    return names.insert(name).first->c_str();
}

}  // namespace framework
