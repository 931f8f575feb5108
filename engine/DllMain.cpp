// The library's entry point: it remembers its module handle and, when the
// library is unloaded by FreeLibrary, lets go of whatever the caller left.
// At process exit nothing is released: the objects' own libraries may be
// gone already, and the system reclaims the memory.
#include "engine/win/CaptureEngineState.h"
#include "engine/win/HiddenWindow.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        camera::Engine().module = instance;
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // A caller that skipped Uninitialize must not leave a window whose
        // procedure is about to be unmapped.
        camera::CaptureEngineState& state = camera::Engine();
        if (state.hiddenWindow != nullptr &&
            GetWindowThreadProcessId(state.hiddenWindow, nullptr) == GetCurrentThreadId())
            camera::DestroyHiddenWindow(state.hiddenWindow, state.module);
        camera::DestroyEngine();
    }
    return TRUE;
}
