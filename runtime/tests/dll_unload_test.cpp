// Every DLL and plug-in we ship, loaded and freed 300 times in this process
// after a warm-up: the process's heap and private memory may grow by a small
// fixed allowance only, and no thread-local slot may stay taken.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

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

// The lowest free thread-local slot; a DLL that keeps one on unload moves it.
DWORD FirstFreeTlsSlot() {
    const DWORD slot = TlsAlloc();
    if (slot != TLS_OUT_OF_INDEXES) TlsFree(slot);
    return slot;
}

bool LoadAndFree(const std::wstring& path, int cycles) {
    for (int i = 0; i < cycles; ++i) {
        HMODULE module = LoadLibraryW(path.c_str());
        if (module == nullptr) return false;
        FreeLibrary(module);
    }
    return true;
}

TEST(DllUnload, NoGrowthOverRepeatedLoadAndFree) {
    const std::vector<std::wstring> dlls = ShippedDlls();
    ASSERT_GE(dlls.size(), 8u) << "shipped-dlls.txt lists the DLLs we ship";
    for (const std::wstring& path : dlls) {
        SCOPED_TRACE(std::string(path.begin(), path.end()));
        ASSERT_TRUE(LoadAndFree(path, kWarmUpCycles)) << "error " << GetLastError();
        const DWORD slotBefore = FirstFreeTlsSlot();
        const MemoryUse before = Measure();
        ASSERT_TRUE(LoadAndFree(path, kCycles)) << "error " << GetLastError();
        const MemoryUse after = Measure();
        EXPECT_EQ(FirstFreeTlsSlot(), slotBefore) << "a thread-local slot kept per load";
        const long long heap = after.heapBytes - before.heapBytes;
        const long long priv = after.privateBytes - before.privateBytes;
        std::printf("%ls over %d cycles: heap %+lld bytes, private %+lld bytes\n", path.c_str(), kCycles, heap, priv);
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

TEST(DllUnload, OneTimeCallRunsOnceAndRetriesAfterAThrow) {
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
