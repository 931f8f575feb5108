#include "dshowbase/Module.h"

#include <atomic>

namespace dshowbase {
namespace {

std::atomic<LONG> g_liveObjects{0};
std::atomic<LONG> g_moduleLocks{0};

// Any address inside this module identifies it.
void ModuleMarker() {}

}  // namespace

HINSTANCE ModuleInstance() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&ModuleMarker), &module)) {
        return nullptr;
    }
    return module;
}

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(ModuleInstance(), &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) {
            return std::wstring();
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Truncated: the buffer was too small for a long path.
        if (path.size() >= 32768) {
            return std::wstring();
        }
        path.resize(path.size() * 2);
    }
}

void ObjectCreated() { ++g_liveObjects; }
void ObjectDestroyed() { --g_liveObjects; }
LONG LiveObjectCount() { return g_liveObjects.load(); }

void LockModule(bool lock) {
    if (lock) {
        ++g_moduleLocks;
    } else {
        --g_moduleLocks;
    }
}

LONG ModuleLockCount() { return g_moduleLocks.load(); }

HRESULT CanUnloadNow() { return (g_liveObjects.load() == 0 && g_moduleLocks.load() == 0) ? S_OK : S_FALSE; }

}  // namespace dshowbase
