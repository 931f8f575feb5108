// The main program loads camera.dll, starts and ends the engine and unloads
// the library; repeated, that must neither crash nor leave threads, windows
// or the library itself behind.
#include "BenchDevices.h"
#include "CDialogDismisser.h"
#include "engine/tests/OwnHiddenWindow.h"
#include "engine/tests/TestHostWindow.h"
#include "MessagePump.h"
#include "winowners/KernelOwners.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>
#include <wrl/client.h>

namespace {

bool OwnHiddenWindowExists() { return enginetest::FindOwnHiddenWindow() != nullptr; }

using InitializeFn = int(__cdecl*)(int, int, wchar_t*, wchar_t*, int*, int*);
using VoidFn = int(__cdecl*)(void);
using SetPreviewWndFn = int(__cdecl*)(HWND);
using SetModeFn = int(__cdecl*)(int);

template <class Fn>
Fn Export(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

int CountThreads() {
    const winowners::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    }
    return count;
}

// One load-start-end-unload round; answers whether every step worked.
bool RunOneCycle(HWND host, int mode) {
    const winowners::UniqueModule library(LoadLibraryW(L"camera.dll"));
    if (!library) return false;
    auto setPreview = Export<SetPreviewWndFn>(library.get(), "SetPreviewWnd");
    auto initialize = Export<InitializeFn>(library.get(), "Initialize");
    auto setMode = Export<SetModeFn>(library.get(), "SetMode");
    auto uninitialize = Export<VoidFn>(library.get(), "Uninitialize");
    bool ok = setPreview && initialize && setMode && uninitialize;
    if (ok) {
        wchar_t video[260] = L"";
        wchar_t audio[260] = L"";
        int videoCount = 0;
        int audioCount = 0;
        ok = setPreview(host) == 1 && initialize(mode, -1, video, audio, &videoCount, &audioCount) == 1;
        setMode(mode == 4 ? 0 : 4);
        testbench::PumpFor(20);
        ok = uninitialize() == 1 && ok;
    }
    return ok;
}

TEST(UnloadCycles, TwentyStartsAndUnloadsLeaveNothingBehind) {
    CoInitialize(nullptr);
    testbench::CDialogDismisser dismisser(IDOK);
    enginetest::CTestHostWindow host;
    Microsoft::WRL::ComPtr<IBenchDeviceControl> bench;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_BenchDeviceControl, nullptr, CLSCTX_INPROC_SERVER, IID_IBenchDeviceControl,
                                     reinterpret_cast<void**>(bench.GetAddressOf())));
    LONG baseline = 0;
    ASSERT_EQ(S_OK, bench->GetLiveObjectCount(&baseline));

    // The first round may start the platform's own lasting threads.
    ASSERT_TRUE(RunOneCycle(host.Handle(), 0));
    ASSERT_EQ(nullptr, GetModuleHandleW(L"camera.dll"));
    const int threadsAfterFirst = CountThreads();
    ASSERT_GT(threadsAfterFirst, 0);

    for (int cycle = 1; cycle < 20; ++cycle) {
        ASSERT_TRUE(RunOneCycle(host.Handle(), cycle % 2 == 0 ? 0 : 4)) << "cycle " << cycle;
        ASSERT_EQ(nullptr, GetModuleHandleW(L"camera.dll")) << "cycle " << cycle;
        EXPECT_FALSE(OwnHiddenWindowExists()) << "cycle " << cycle;
    }
    testbench::PumpFor(100);
    EXPECT_LE(CountThreads(), threadsAfterFirst);
    EXPECT_EQ(nullptr, GetWindow(host.Handle(), GW_CHILD));
    // Every camera and microphone object the engine made has been released.
    LONG after = 0;
    ASSERT_EQ(S_OK, bench->GetLiveObjectCount(&after));
    EXPECT_EQ(baseline, after);
    bench.Reset();
    CoUninitialize();
}

}  // namespace
