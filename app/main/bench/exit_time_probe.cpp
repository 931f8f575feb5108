// How long the program takes to go away, in each mode: the real vimbrel.exe
// is started from its folder in the test prefix (as the screen tests start
// it), given a few seconds to settle with the date stamp's clock running,
// then its main window is closed. Printed per mode: close to window gone,
// close to process gone, and the exit codes of the program's threads, where
// a thread a bounded stop had to terminate shows the code 1 it was given.
// In image mode it also takes one picture through the camera button and
// prints how long the main window went without answering a message.
//
// Not a test: it prints figures. Run it from the build's bin folder in a
// prepared prefix, for example
//   ctest --test-dir build/win-i686 -R wineprefix.setup
//   WINEPREFIX=$PWD/build/win-i686/wineprefix testbench/wine-run
//       build/win-i686/bin/exit_time_probe.exe  (one line)
#include "MessagePump.h"
#include "ScreenSession.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <map>
#include <vector>

namespace {

using vimbrel::screentest::CProgramRun;
using vimbrel::screentest::Mode;
using vimbrel::screentest::RunOptions;

// The stored name of the Date setting; 2 stamps time and date, a clock
// thread redraws it each second.
constexpr wchar_t kDateSetting[] = L"261";
constexpr DWORD kTimeAndDate = 2;

double NowMs() {
    LARGE_INTEGER frequency{}, count{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The threads of one process, each opened once so that its exit code can be
// read after the process has gone.
class CThreadWatch {
public:
    explicit CThreadWatch(DWORD process) : process_(process) {}
    ~CThreadWatch() {
        for (auto& entry : threads_) CloseHandle(entry.second);
    }
    CThreadWatch(const CThreadWatch&) = delete;
    CThreadWatch& operator=(const CThreadWatch&) = delete;

    void Collect() {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        if (snapshot == INVALID_HANDLE_VALUE) return;
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
            if (entry.th32OwnerProcessID != process_ || threads_.count(entry.th32ThreadID)) continue;
            HANDLE thread = OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
            if (thread) threads_[entry.th32ThreadID] = thread;
        }
        CloseHandle(snapshot);
    }

    // Exit code -> threads that ended with it.
    std::map<DWORD, int> ExitCodes() const {
        std::map<DWORD, int> codes;
        for (const auto& entry : threads_) {
            DWORD code = STILL_ACTIVE;
            GetExitCodeThread(entry.second, &code);
            ++codes[code];
        }
        return codes;
    }

private:
    DWORD process_;
    std::map<DWORD, HANDLE> threads_;
};

// The longest a message sent to the window waited for its answer while
// the window was watched for ms.
double LongestUnansweredMs(HWND window, DWORD ms) {
    double longest = 0.0;
    const double end = NowMs() + ms;
    while (NowMs() < end) {
        const double sent = NowMs();
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
        const double waited = NowMs() - sent;
        if (waited > longest) longest = waited;
        Sleep(5);
    }
    return longest;
}

void TakeOnePicture(const CProgramRun& run) {
    HWND hidden = FindWindowW(L"VIDEOCAPEX_CLASSNAME", L"Vimbrel");
    if (!hidden) {
        std::printf("  camera button window not found\n");
        return;
    }
    const std::wstring folder = vimbrel::screentest::MediaFolder(L"Image");
    const std::vector<std::wstring> earlier = vimbrel::screentest::FilesIn(folder);
    PostMessageW(hidden, RegisterWindowMessageW(L"KVX_VIDEOCAPEX_MESSAGE"), 71, 0);
    std::printf("  first picture: main window unanswered for up to %.0f ms\n", LongestUnansweredMs(run.Main(), 4000));
    vimbrel::screentest::RemoveFilesNotIn(folder, earlier);
}

void MeasureExit(Mode mode, const char* name) {
    RunOptions options;
    options.mode = mode;
    options.settings.push_back({kDateSetting, kTimeAndDate});
    CProgramRun run(options);
    if (!run.Started()) {
        std::printf("%-10s did not start\n", name);
        return;
    }
    std::printf("%s\n", name);
    if (mode == Mode::Image) TakeOnePicture(run);
    testbench::PumpFor(1500);

    CThreadWatch threads(run.ProcessId());
    threads.Collect();
    const double closed = NowMs();
    PostMessageW(run.Main(), WM_CLOSE, 0, 0);
    double windowGone = -1.0;
    for (;;) {
        threads.Collect();
        if (windowGone < 0 && !IsWindow(run.Main())) windowGone = NowMs() - closed;
        if (WaitForSingleObject(run.Process(), 2) == WAIT_OBJECT_0) break;
        if (NowMs() - closed > 30000) {
            std::printf("  still running 30 s after the close\n");
            return;
        }
    }
    const double processGone = NowMs() - closed;
    DWORD processCode = 0;
    GetExitCodeProcess(run.Process(), &processCode);
    std::printf("  close -> window gone %.0f ms, close -> process gone %.0f ms (exit code %lu)\n", windowGone,
                processGone, processCode);
    std::printf("  thread exit codes:");
    for (const auto& code : threads.ExitCodes()) std::printf(" %lu x%d", code.first, code.second);
    std::printf("\n");
}

}  // namespace

int main() {
    const struct {
        Mode mode;
        const char* name;
    } modes[] = {{Mode::Video, "video"}, {Mode::VideoOnly, "video-only"}, {Mode::Audio, "audio"},
                 {Mode::Image, "image"}, {Mode::Browse, "browse"},        {Mode::Monitor, "monitor"}};
    for (const auto& m : modes) {
        MeasureExit(m.mode, m.name);
        std::fflush(stdout);
    }
    return 0;
}
