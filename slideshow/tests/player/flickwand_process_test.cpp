// flickwand.exe as the main program starts it: a process of its own over
// the image folder under the data root. It plays the pictures there and
// ends on Esc with exit code 0; with no picture it shows "There is no file."
// and ends with exit code 1.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring ImageFolder() {
    wchar_t root[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, root)))
        return std::wstring();
    return std::wstring(root) + L"\\Zavu\\Vimbrel2\\Vimbrel\\Image";
}

bool WriteSolidBmp(const std::wstring& path, int width, int height, unsigned rgb) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> bytes(54 + static_cast<size_t>(stride) * height, 0);
    auto put32 = [&bytes](size_t at, unsigned value) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<unsigned>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* pixel = &bytes[54 + static_cast<size_t>(y) * stride + x * 3];
            pixel[0] = rgb & 0xFF;
            pixel[1] = (rgb >> 8) & 0xFF;
            pixel[2] = (rgb >> 16) & 0xFF;
        }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

void EmptyFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// The image folder for the time of a test: whatever the prefix held there
// is put aside and comes back afterwards.
class CTestImageFolder {
public:
    CTestImageFolder() : path_(ImageFolder()), aside_(path_ + L".aside-for-test") {
        if (GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES)
            movedAside_ = MoveFileW(path_.c_str(), aside_.c_str()) != FALSE;
        SHCreateDirectoryExW(nullptr, path_.c_str(), nullptr);
    }
    ~CTestImageFolder() {
        EmptyFolder(path_);
        RemoveDirectoryW(path_.c_str());
        if (movedAside_) MoveFileW(aside_.c_str(), path_.c_str());
    }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    std::wstring aside_;
    bool movedAside_ = false;
};

struct FoundWindow {
    DWORD process;
    bool wantBox;
    HWND window;
};

BOOL CALLBACK FindTopWindow(HWND hwnd, LPARAM parameter) {
    auto* found = reinterpret_cast<FoundWindow*>(parameter);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != found->process || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    const bool isBox = std::wstring(cls) == L"#32770" && rect.right - rect.left < GetSystemMetrics(SM_CXSCREEN);
    const bool isPlayer = rect.right - rect.left == GetSystemMetrics(SM_CXSCREEN);
    if ((found->wantBox && isBox) || (!found->wantBox && isPlayer)) {
        found->window = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindow(DWORD process, bool box, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        FoundWindow found{process, box, nullptr};
        EnumWindows(&FindTopWindow, reinterpret_cast<LPARAM>(&found));
        if (found.window) return found.window;
        Sleep(50);
    }
    return nullptr;
}

// The program's process, killed if a test leaves it running.
class CPlayerProcess {
public:
    CPlayerProcess() {
        std::wstring command = L"\"" + ProgramFolder() + L"\\flickwand.exe\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        started_ = CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &info_) != FALSE;
        if (started_) CloseHandle(info_.hThread);
    }
    ~CPlayerProcess() {
        if (!started_) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hProcess);
    }
    bool Started() const { return started_; }
    DWORD Id() const { return info_.dwProcessId; }
    // The exit code, or STILL_ACTIVE after the timeout.
    DWORD Wait(DWORD timeoutMs) {
        WaitForSingleObject(info_.hProcess, timeoutMs);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

}  // namespace

TEST(FlickwandProgram, PlaysTheImageFolderAndEndsOnEsc) {
    CTestImageFolder folder;
    ASSERT_TRUE(WriteSolidBmp(folder.Path() + L"\\image200601010001.bmp", 640, 480, 0xFF0000));
    ASSERT_TRUE(WriteSolidBmp(folder.Path() + L"\\image200512310009.bmp", 320, 240, 0x00FF00));
    CPlayerProcess player;
    ASSERT_TRUE(player.Started());
    HWND window = WaitForWindow(player.Id(), false, 15000);
    ASSERT_NE(nullptr, window);
    Sleep(1500);  // the first cross-fade
    EXPECT_EQ(STILL_ACTIVE, player.Wait(0));
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(0u, player.Wait(10000));
}

TEST(FlickwandProgram, EmptyImageFolderShowsTheMessageAndExitsWithOne) {
    CTestImageFolder folder;
    CPlayerProcess player;
    ASSERT_TRUE(player.Started());
    HWND box = WaitForWindow(player.Id(), true, 15000);
    ASSERT_NE(nullptr, box);
    wchar_t caption[64] = {};
    GetWindowTextW(box, caption, 64);
    wchar_t text[128] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 128);  // the message box's text
    EXPECT_EQ(std::wstring(L"Vim Brel"), caption);
    EXPECT_EQ(std::wstring(L"There is no file."), text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(1u, player.Wait(10000));
}
