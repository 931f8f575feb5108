// Every DLL and plug-in we ship, loaded and freed 300 times in this process
// after a warm-up, each cycle running the work in it that starts threads or
// keeps thread-local state (and, in a DLL built with the same runtime glue,
// a C++ exception thrown and caught on the caller's thread and on a thread
// of the DLL's own): the process's heap and private memory may grow by a
// small fixed allowance only, and no thread-local or fiber-local slot may
// stay taken.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>
#include <wrl/client.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "IVideoEffect.h"
#include "ScriptedSource.h"
#include "dshowbase/ClassIds.h"
#include "winowners/KernelOwners.h"

namespace {

constexpr int kWarmUpCycles = 20;
constexpr int kCycles = 300;
// Well below one lost kilobyte a cycle: 300 cycles at 19 KB would be 5.7 MB,
// one thread-local record a cycle about 110 KB.
// The heap is watched to the byte: what remains is the thread library's
// static mutexes (the unwinder's, and each static mutex a DLL locks), 24 bytes
// each a cycle, which the library allocates on first use and never frees; a
// DLL that loads two more of ours carries three sets. Well below the C++
// runtime's pool (19 KB a cycle, 5.7 MB here) or one thread record a cycle
// (about 110 KB here).
constexpr long long kHeapAllowance = 48 * 1024;
// Private memory comes in 64 KB heap segments; two may be taken.
constexpr long long kPrivateAllowance = 128 * 1024;

struct MemoryUse {
    long long privateBytes = 0;
    long long heapBytes = 0;
};

// Private committed memory: what the system reports when it does (Windows),
// else the sum of the committed private regions (Wine reports 0); and the
// bytes in use in every heap of the process.
MemoryUse Measure() {
    MemoryUse use;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        use.privateBytes = static_cast<long long>(counters.PrivateUsage);
    }
    if (use.privateBytes == 0) {
        MEMORY_BASIC_INFORMATION region{};
        const char* at = nullptr;
        while (VirtualQuery(at, &region, sizeof region) == sizeof region) {
            if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) use.privateBytes += region.RegionSize;
            const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
            if (next <= at) break;
            at = next;
        }
    }
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i) {
        if (!HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) use.heapBytes += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return use;
}

// The build writes one path a line; Unix paths are reached through Wine's Z:.
std::vector<std::wstring> ShippedDlls() {
    std::vector<std::wstring> paths;
    std::ifstream list("shipped-dlls.txt");
    for (std::string line; std::getline(list, line);) {
        if (line.empty()) continue;
        std::wstring path = line[0] == '/' ? L"Z:" : L"";
        for (char c : line) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
        paths.push_back(path);
    }
    return paths;
}

// How many thread-local slots are free: all of them are taken, counted and
// given back. The lowest free one would not do: a DLL may keep a slot above
// one that something else takes and gives back within the same load.
int FreeTlsSlots() {
    std::vector<DWORD> taken;
    for (DWORD slot; (slot = TlsAlloc()) != TLS_OUT_OF_INDEXES;) taken.push_back(slot);
    for (DWORD slot : taken) TlsFree(slot);
    return static_cast<int>(taken.size());
}

// The same for fiber-local slots, where the system has them (not on XP).
int FreeFiberSlots() {
    using Alloc = DWORD(WINAPI*)(void*);
    using Free = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto alloc = reinterpret_cast<Alloc>(reinterpret_cast<void*>(GetProcAddress(kernel, "FlsAlloc")));
    const auto free = reinterpret_cast<Free>(reinterpret_cast<void*>(GetProcAddress(kernel, "FlsFree")));
    if (alloc == nullptr || free == nullptr) return 0;
    std::vector<DWORD> taken;
    for (DWORD slot; (slot = alloc(nullptr)) != 0xFFFFFFFF;) taken.push_back(slot);
    for (DWORD slot : taken) free(slot);
    return static_cast<int>(taken.size());
}

using Microsoft::WRL::ComPtr;

template <typename Call>
Call Export(HMODULE module, const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

ComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
    ComPtr<IEnumPins> pins;
    ComPtr<IPin> pin;
    if (FAILED(filter->EnumPins(&pins))) return nullptr;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION d;
        if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction) return pin;
    }
    return nullptr;
}

// The effects filter of the loaded lenstint.ax paints one 320 x 240 frame in
// oils: its four worker threads start and end inside the frame.
bool PaintOneFrameInOils(HMODULE module) {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto getClassObject = Export<GetClassObject>(module, "DllGetClassObject");
    ComPtr<IClassFactory> factory;
    ComPtr<IBaseFilter> effect;
    ComPtr<IVideoEffect> settings;
    if (getClassObject == nullptr ||
        FAILED(
            getClassObject(CLSID_EffectFilter, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf()))) ||
        FAILED(factory->CreateInstance(nullptr, IID_PPV_ARGS(&effect))) || FAILED(effect.As(&settings)) ||
        FAILED(settings->SetEffect(VIDEO_EFFECT_OIL_PAINTING, 0))) {
        return false;
    }
    // The source is asked for its second frame once the first has been
    // through the filter and into the renderer.
    const winowners::UniqueHandle secondAsked(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const HANDLE signal = secondAsked.get();
    const basetest::FramePainter painter = basetest::RepeatPicture(std::vector<BYTE>(320 * 240 * 3, 0x5A));
    ComPtr<IBaseFilter> source = new basetest::CScriptedSource(
        basetest::VideoInfoType(320, 240, 24, MEDIASUBTYPE_RGB24),
        [painter, signal](LONGLONG n, BYTE* data, long size) {
            if (n >= 1) SetEvent(signal);
            return painter(n, data, size);
        });
    ComPtr<IGraphBuilder> graph;
    ComPtr<IBaseFilter> renderer;
    ComPtr<IMediaControl> control;
    ComPtr<IMediaFilter> clockless;
    if (!secondAsked ||
        FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph))) ||
        FAILED(
            CoCreateInstance(dshowbase::CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&renderer))) ||
        FAILED(graph.As(&control)) || FAILED(graph.As(&clockless)) || FAILED(clockless->SetSyncSource(nullptr)) ||
        FAILED(graph->AddFilter(source.Get(), L"source")) || FAILED(graph->AddFilter(effect.Get(), L"effect")) ||
        FAILED(graph->AddFilter(renderer.Get(), L"renderer")) ||
        FAILED(graph->ConnectDirect(FirstPin(source.Get(), PINDIR_OUTPUT).Get(),
                                    FirstPin(effect.Get(), PINDIR_INPUT).Get(), nullptr)) ||
        FAILED(graph->ConnectDirect(FirstPin(effect.Get(), PINDIR_OUTPUT).Get(),
                                    FirstPin(renderer.Get(), PINDIR_INPUT).Get(), nullptr)) ||
        FAILED(control->Run())) {
        return false;
    }
    const bool painted = WaitForSingleObject(signal, 10000) == WAIT_OBJECT_0;
    control->Stop();
    return painted;
}

// The capture engine joins each calling thread to COM once and keeps that in
// a thread_local: a playback of a missing file reaches it, on this thread and
// on a new one.
bool PlayMissingFileHereAndOnAThread(HMODULE module) {
    using PlayFile = int(__cdecl*)(const wchar_t*, HWND, float*, HDC*, int, int, int*);
    const auto play = Export<PlayFile>(module, "PlayFile");
    if (play == nullptr) return false;
    struct Call {
        PlayFile play;
        int result = -1;
        static DWORD WINAPI Run(void* self) {
            auto* call = static_cast<Call*>(self);
            float seconds = 0;
            HDC dc = nullptr;
            int hasVideo = 0;
            call->result = call->play(L"Z:\\no\\such\\film.avi", nullptr, &seconds, &dc, 320, 240, &hasVideo);
            return 0;
        }
    };
    Call here{play};
    Call::Run(&here);
    Call there{play};
    const winowners::UniqueHandle thread(CreateThread(nullptr, 0, &Call::Run, &there, 0, nullptr));
    if (!thread || WaitForSingleObject(thread.get(), 10000) != WAIT_OBJECT_0) return false;
    return here.result == 0 && there.result == 0;
}

// The test DLL's calls: a C++ exception thrown and caught here and on a
// thread of the DLL's own.
bool ThrowAndCatchHereAndOnAThread(HMODULE module) {
    using Probe = int (*)();
    const auto here = Export<Probe>(module, "ProbeThrowAndCatch");
    const auto there = Export<Probe>(module, "ProbeThreadThrowAndCatch");
    return here != nullptr && there != nullptr && here() == 1 && there() == 1;
}

// What a cycle runs in a DLL besides loading and freeing it, by file name.
using Workout = bool (*)(HMODULE);
Workout WorkoutFor(const std::wstring& path) {
    const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    if (name == L"lenstint.ax") return PaintOneFrameInOils;
    if (name == L"camera.dll") return PlayMissingFileHereAndOnAThread;
    if (name == L"runtime_probe.dll") return ThrowAndCatchHereAndOnAThread;
    return nullptr;
}

bool LoadAndFree(const std::wstring& path, int cycles) {
    const Workout workout = WorkoutFor(path);
    for (int i = 0; i < cycles; ++i) {
        HMODULE module = LoadLibraryW(path.c_str());
        if (module == nullptr) return false;
        const bool worked = workout == nullptr || workout(module);
        FreeLibrary(module);
        if (!worked) {
            ADD_FAILURE() << "the work in the DLL failed in cycle " << i;
            return false;
        }
    }
    return true;
}

class DllUnload : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(DllUnload, NoGrowthOverRepeatedLoadWorkAndFree) {
    std::vector<std::wstring> dlls = ShippedDlls();
    ASSERT_GE(dlls.size(), 8u) << "shipped-dlls.txt lists the DLLs we ship";
    dlls.push_back(L"runtime_probe.dll");
    for (const std::wstring& path : dlls) {
        SCOPED_TRACE(std::string(path.begin(), path.end()));
        ASSERT_TRUE(LoadAndFree(path, kWarmUpCycles)) << "error " << GetLastError();
        const int slotsBefore = FreeTlsSlots();
        const int fiberSlotsBefore = FreeFiberSlots();
        const MemoryUse before = Measure();
        const DWORD start = GetTickCount();
        ASSERT_TRUE(LoadAndFree(path, kCycles)) << "error " << GetLastError();
        const DWORD took = GetTickCount() - start;
        const MemoryUse after = Measure();
        const int slotsAfter = FreeTlsSlots();
        const int fiberSlotsAfter = FreeFiberSlots();
        const long long heap = after.heapBytes - before.heapBytes;
        const long long priv = after.privateBytes - before.privateBytes;
        std::printf("%ls over %d cycles (%lu ms): heap %+lld bytes, private %+lld bytes, free slots %d -> %d "
                    "thread-local, %d -> %d fiber-local\n",
                    path.c_str(), kCycles, static_cast<unsigned long>(took), heap, priv, slotsBefore, slotsAfter,
                    fiberSlotsBefore, fiberSlotsAfter);
        EXPECT_EQ(slotsAfter, slotsBefore) << "thread-local slots kept";
        EXPECT_EQ(fiberSlotsAfter, fiberSlotsBefore) << "fiber-local slots kept";
        EXPECT_LE(heap, kHeapAllowance);
        EXPECT_LE(priv, kPrivateAllowance);
    }
}

}  // namespace

// The one-time call the DLLs use: one run however many threads ask at once,
// and a run that throws leaves the flag free for the next caller.
extern "C" int __wrap_pthread_once(long* flag, void (*init)(void));

namespace {

volatile LONG runs = 0;
volatile LONG throwFirst = 0;
long flag = 0;

// Counts the run as it ends: a caller let go while it still runs sees 0.
void CountedInit() {
    if (InterlockedExchange(&throwFirst, 0) != 0) throw 1;
    Sleep(20);  // the others arrive while it runs
    InterlockedIncrement(&runs);
}

DWORD WINAPI CallOnce(void*) {
    __wrap_pthread_once(&flag, CountedInit);
    return runs == 1 ? 0 : 1;  // nobody returns before the run has finished
}

TEST(DllUnloadOnce, OneTimeCallRunsOnceAndRetriesAfterAThrow) {
    throwFirst = 1;
    EXPECT_THROW(__wrap_pthread_once(&flag, CountedInit), int);
    EXPECT_EQ(runs, 0);
    struct CloseThread {
        void operator()(void* h) const { CloseHandle(h); }
    };
    std::vector<std::unique_ptr<void, CloseThread>> threads;
    std::vector<HANDLE> raw;
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back(CreateThread(nullptr, 0, CallOnce, nullptr, 0, nullptr));
        ASSERT_NE(threads.back(), nullptr);
        raw.push_back(threads.back().get());
    }
    ASSERT_EQ(WaitForMultipleObjects(8, raw.data(), TRUE, 10000), WAIT_OBJECT_0);
    for (HANDLE t : raw) {
        DWORD code = 2;
        GetExitCodeThread(t, &code);
        EXPECT_EQ(code, 0u);
    }
    EXPECT_EQ(runs, 1);
}

}  // namespace
