// A monitor folder of 1,000, 10,000 and 50,000 pictures in the monitor
// browser: how long until the browser is ready (created and painted), until
// the thumbnails of the cells on screen are there, until it holds the
// folder's own listing (a start on the cache files shows theirs first and
// takes the listing from the watch thread), how much memory the
// process holds then, and how long a new picture takes to show at the top.
// Each size runs twice, without cache files (first start) and with the ones
// the first start left (next start), each start in a process of its own so
// the memory figures belong to that start alone.
//
//   browser_folder_bench                 the whole table (1000 10000 50000)
//   browser_folder_bench 2000 20000      the table for other sizes
//   browser_folder_bench --start N cold|warm   one start (the table runs these)
#include "BrowserMessages.h"
#include "CThumbBrowser.h"
#include "GdiplusSession.h"
#include "IBrowseController.h"
#include "MessagePump.h"
#include "tests/ThumbTestSupport.h"

#include <windows.h>
#include <gdiplus.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace vimbrel::browser;

namespace {

class CQuietController : public IBrowseController {
public:
    int QuerySaveModified() override { return 7; }
    void ShowBrowseFile(const std::wstring&, int) override {}
    bool FollowBrowseFile(const std::wstring&, int) override { return true; }
    void ClearBrowsePicture() override {}
    void SetWheelMode(int, int) override {}
    void SetMode(int) override {}
    std::wstring GetCurrentFile() override { return std::wstring(); }
    void StopPlayback() override {}
    void CopySelectedTo() override {}
    void PrintSelected() override {}
    void MailSelected() override {}
    void SetDesktopWallpaper(const std::wstring&) override {}
    std::wstring LanguageText(const char* key) override { return std::wstring(key, key + strlen(key)); }
};

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

std::wstring BenchFolder(const wchar_t* leaf) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring path = std::wstring(temp) + L"vimbrel-folder-bench";
    CreateDirectoryW(path.c_str(), nullptr);
    path += L"\\";
    path += leaf;
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

// A 640 x 480 picture as the monitor mode saves them, with some detail so
// the decoder has work to do.
std::vector<BYTE> MonitorPicture() {
    Gdiplus::Bitmap picture(640, 480, PixelFormat24bppRGB);
    {
        Gdiplus::Graphics g(&picture);
        g.Clear(Gdiplus::Color(255, 40, 90, 140));
        Gdiplus::SolidBrush brush(Gdiplus::Color(255, 220, 180, 60));
        for (int i = 0; i < 12; ++i) g.FillEllipse(&brush, 40 * i, 30 * i, 120, 90);
    }
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    CLSID jpeg = {};
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, L"image/jpeg") == 0) jpeg = codecs[i].Clsid;
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return {};
    std::vector<BYTE> bytes;
    if (picture.Save(stream, &jpeg, nullptr) == Gdiplus::Ok) {
        STATSTG stat = {};
        stream->Stat(&stat, STATFLAG_NONAME);
        LARGE_INTEGER zero = {};
        stream->Seek(zero, STREAM_SEEK_SET, nullptr);
        bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
        ULONG got = 0;
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got);
    }
    stream->Release();
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

// Monitor capture names: ten thousand a day, the counter of the day after.
std::wstring PictureName(int i) {
    wchar_t name[64];
    wsprintfW(name, L"monitor2026%02d%02d%04d.jpg", 1 + i / 10000 / 28, 1 + i / 10000 % 28, i % 10000);
    return name;
}

// Fills the folder up to `count` pictures (those already there stay).
bool FillFolder(const std::wstring& folder, int count) {
    const std::vector<BYTE> picture = MonitorPicture();
    if (picture.empty()) return false;
    const std::wstring first = folder + L"\\" + PictureName(0);
    if (GetFileAttributesW(first.c_str()) == INVALID_FILE_ATTRIBUTES && !WriteBytes(first, picture)) return false;
    for (int i = 1; i < count; ++i) {
        const std::wstring path = folder + L"\\" + PictureName(i);
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        // A link to the first picture where the file system offers them:
        // 50,000 copies would take minutes to write.
        if (!CreateHardLinkW(path.c_str(), first.c_str(), nullptr) && !WriteBytes(path, picture)) return false;
    }
    return true;
}

void RemoveCacheFiles(const std::wstring& root) {
    for (const wchar_t* name : {L"\\config3.cfg", L"\\tmp3.img"}) {
        const std::wstring path = root + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
}

// Pumps until `done` holds; the seconds it took, or -1 after `limit` seconds.
template <typename Condition>
double Until(Condition done, double limit) {
    const double start = Now();
    while (!done()) {
        if (Now() - start > limit) return -1;
        testbench::PumpFor(5);
    }
    return Now() - start;
}

bool ScreenCellsMade(CThumbBrowser& browser) {
    CThumbCache& cache = browser.Cache();
    const long shown = cache.GetCount() < 8 ? cache.GetCount() : 8;
    if (shown == 0) return false;
    for (long i = 0; i < shown; ++i) {
        if (!cache.Entries()[static_cast<size_t>(i)].made) return false;
    }
    return true;
}

std::string Seconds(double s) {
    if (s < 0) return "never";
    char text[32];
    snprintf(text, sizeof text, "%.2f s", s);
    return text;
}

// One start of the monitor browser over the folder; prints one row.
int OneStart(int count, bool warm) {
    vimbrel::ui::CGdiplusSession gdiplus;
    if (!gdiplus.Ok()) return 2;
    const std::wstring folder = BenchFolder(L"Monitor");
    const std::wstring root = BenchFolder(L"root");
    if (!warm) RemoveCacheFiles(root);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FolderBenchParent";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, L"FolderBenchParent", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 256, 360, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    CQuietController controller;
    double ready = 0, thumbs = 0, listedAt = 0, newFile = 0;
    long listed = 0;
    PROCESS_MEMORY_COUNTERS memory = {};
    {
        const double start = Now();
        CThumbBrowser browser(controller);
        browser.SetCacheDataRoot(root);
        const RECT rect = {0, 0, 256, 360};
        if (!browser.Create(parent, rect, folder.c_str(), 3)) return 3;
        ready = Now() - start;
        const double since = Until([&] { return ScreenCellsMade(browser); }, 60);
        thumbs = since < 0 ? -1 : ready + since;
        listedAt = Until([&] { return !browser.Cache().ListFromIndex(); }, 60) < 0 ? -1 : Now() - start;
        // Let the start settle: whatever it does in the background is part
        // of what it holds.
        testbench::PumpFor(2000);
        listed = browser.Cache().GetCount();
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);

        // A new alarm picture: the newest name, so it goes to the top.
        const std::wstring name = L"monitor29991231" + std::to_wstring(warm ? 2 : 1) + L".jpg";
        const std::wstring path = folder + L"\\" + name;
        if (!WriteBytes(path, MonitorPicture())) return 4;
        const std::u16string wanted(name.begin(), name.end());
        newFile = Until(
            [&] {
                CThumbCache& cache = browser.Cache();
                return cache.GetCount() > 0 && cache.Entries()[0].name == wanted && cache.Entries()[0].made;
            },
            20);
        browser.Destroy();
    }
    DestroyWindow(parent);
    printf("%-7d %-5s %-10s %-11ld %-10s %-12s %-12s %-10.0f %-10.0f\n", count, warm ? "next" : "first",
           Seconds(ready).c_str(), listed, Seconds(listedAt).c_str(), Seconds(thumbs).c_str(), Seconds(newFile).c_str(),
           static_cast<double>(memory.WorkingSetSize) / (1 << 20),
           static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20));
    fflush(stdout);
    return 0;
}

int RunChild(const std::wstring& args) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "--start") == 0) {
        return OneStart(atoi(argv[2]), strcmp(argv[3], "warm") == 0);
    }
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        if (atoi(argv[i]) > 0) sizes.push_back(atoi(argv[i]));
    }
    if (sizes.empty()) sizes = {1000, 10000, 50000};

    printf("Monitor browser over a folder of N pictures (640 x 480 JPEG); ready = browser created and painted,\n"
           "listed = entries after the start and when the folder's own listing was in, thumbs = the cells on\n"
           "screen have their thumbnails, new = a new picture shown at the top,\n"
           "memory = working set (MB) 2 s after the start, and its peak. 'first' has no cache files, 'next' the\n"
           "ones the first start left.\n");
    printf("%-7s %-5s %-10s %-11s %-10s %-12s %-12s %-10s %-10s\n", "N", "start", "ready", "listed", "at", "thumbs",
           "new", "memory", "peak");
    const std::wstring folder = BenchFolder(L"Monitor");
    for (int count : sizes) {
        // Only the pictures of this size: the new ones of the last round
        // and those past the count go.
        for (int i = 1; i <= 2; ++i) {
            const std::wstring extra = folder + L"\\monitor29991231" + std::to_wstring(i) + L".jpg";
            DeleteFileW(extra.c_str());
        }
        for (int i = count; DeleteFileW((folder + L"\\" + PictureName(i)).c_str()); ++i) {
        }
        {
            vimbrel::ui::CGdiplusSession gdiplus;
            if (!FillFolder(folder, count)) {
                printf("%d: the folder could not be filled\n", count);
                return 1;
            }
        }
        for (const char* kind : {"cold", "warm"}) {
            const std::string args = "--start " + std::to_string(count) + " " + kind;
            const int code = RunChild(std::wstring(args.begin(), args.end()));
            if (code != 0)
                printf("%-7d %-5s failed (exit %d)\n", count, strcmp(kind, "warm") == 0 ? "next" : "first", code);
        }
    }
    return 0;
}
