// vimbrel.exe as a user starts it, in the test prefix with the bench camera:
// the skinned main window with its children, live frames in the preview,
// Esc and Enter ignored, the hide notice, a second copy that raises the
// first and leaves with code 0, WM_CLOSE ending the program with code 0, and
// browse mode showing the image tab's current picture on the canvas.
// The window's picture is kept as <build>/artifacts/vimbrel.png.
#include <windows.h>
#include <gdiplus.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "MessagePump.h"
#include "ScreenSession.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kCaption[] = L"Vim Brel";
constexpr UINT kShowMainWindow = 0x47B;
// The program's own skin: the preview area FAFAFA and the mode panels'
// corner D2D2D2, in client coordinates of the 768 x 511 dialog.
constexpr RECT kPreviewArea{86, 52, 486, 352};
constexpr POINT kModePanelCorner{139, 432};

// The program's folder, the media folders, waiting, listing files and
// finding windows: the screen tests' helpers.
using vimbrel::screentest::ChildRectInClient;
using vimbrel::screentest::FilesIn;
using vimbrel::screentest::MediaFolder;
using vimbrel::screentest::ProgramFolder;
using vimbrel::screentest::ProcessOf;
using vimbrel::screentest::RemoveFilesNotIn;
using vimbrel::screentest::TitleOf;
using vimbrel::screentest::TopLevelWindows;
using vimbrel::screentest::WaitFor;

using WindowTest = std::function<bool(HWND)>;

struct ProcessHandles {
    HANDLE process = nullptr;
    DWORD id = 0;
};

ProcessHandles StartProgram() {
    std::wstring command = L"\"" + ProgramFolder() + L"\\vimbrel.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(), &startup,
                        &info)) {
        return {};
    }
    CloseHandle(info.hThread);
    return {info.hProcess, info.dwProcessId};
}

// The exit code once the process ended within ms; STILL_ACTIVE otherwise.
DWORD ExitCodeWithin(HANDLE process, DWORD ms) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, ms) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
    return code;
}

HWND FirstTopLevel(const WindowTest& test) {
    const std::vector<HWND> found = TopLevelWindows(test);
    return found.empty() ? nullptr : found.front();
}

// The main window of process id: top-level, titled "Vim Brel".
HWND MainWindowOf(DWORD id) {
    return FirstTopLevel([id](HWND hwnd) { return ProcessOf(hwnd) == id && TitleOf(hwnd) == kCaption; });
}

int CountWindowsTitled(const wchar_t* title) {
    return static_cast<int>(TopLevelWindows([title](HWND hwnd) { return TitleOf(hwnd) == title; }).size());
}

bool SaveWindowPicture(HWND hwnd, const std::wstring& path) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    bool saved = false;
    {
        Gdiplus::Bitmap picture(bitmap, nullptr);
        UINT count = 0, bytes = 0;
        Gdiplus::GetImageEncodersSize(&count, &bytes);
        std::vector<char> buffer(bytes);
        auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        if (bytes && Gdiplus::GetImageEncoders(count, bytes, encoders) == Gdiplus::Ok) {
            for (UINT i = 0; i < count; ++i) {
                if (std::wstring(encoders[i].MimeType) == L"image/png") {
                    saved = picture.Save(path.c_str(), &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
                }
            }
        }
    }
    DeleteObject(bitmap);
    return saved;
}

// The frequency prompt's flag beside the program's settings (the user's
// key: the prefix reports a Windows above XP).
constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Zavu\\Vimbrel";
constexpr wchar_t kPromptFlag[] = L"PopFreqDlg";

bool PromptFlagSet() {
    DWORD value = 0, size = sizeof(value);
    return RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kPromptFlag, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
           ERROR_SUCCESS;
}

void SetPromptFlag(bool set) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (set) {
        const DWORD one = 1;
        RegSetValueExW(key, kPromptFlag, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
    } else {
        RegDeleteValueW(key, kPromptFlag);
    }
    RegCloseKey(key);
}

// A visible dialog box owned by `owner` (the prompt or the about box).
HWND OwnedDialog(HWND owner) {
    return FirstTopLevel([owner](HWND hwnd) {
        wchar_t className[16] = {};
        GetClassNameW(hwnd, className, 16);
        return std::wstring(className) == L"#32770" && GetWindow(hwnd, GW_OWNER) == owner && IsWindowVisible(hwnd);
    });
}

// Waits for the dialog owned by owner, then cancels it; false when none came.
bool CancelOwnedDialog(HWND owner, DWORD ms) {
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = OwnedDialog(owner)) != nullptr; }, ms)) return false;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return WaitFor([dialog] { return IsWindow(dialog) == FALSE || IsWindowVisible(dialog) == FALSE; }, 5000);
}

// A visible top-level window of process id other than skip that ends
// above y (a popup opened over a button).
HWND PopupAbove(DWORD id, HWND skip, int above) {
    return FirstTopLevel([=](HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return ProcessOf(hwnd) == id && hwnd != skip && IsWindowVisible(hwnd) && r.bottom <= above && r.right > r.left;
    });
}

// Every named resource of the program must be found by its name: the
// linker joins the resource sections of several objects, and a type spread
// over two of them comes out in an order the lookup by name can miss.
struct NamedResource {
    std::wstring type, name;
};

BOOL CALLBACK CollectName(HMODULE, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    auto* found = reinterpret_cast<std::vector<NamedResource>*>(param);
    if (!IS_INTRESOURCE(type) && !IS_INTRESOURCE(name)) found->push_back({type, name});
    return TRUE;
}

BOOL CALLBACK CollectType(HMODULE module, LPWSTR type, LONG_PTR param) {
    EnumResourceNamesW(module, type, CollectName, param);
    return TRUE;
}

TEST(VimbrelResources, EveryNamedResourceIsFoundByItsName) {
    HMODULE program = LoadLibraryExW((ProgramFolder() + L"\\vimbrel.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    std::vector<NamedResource> names;
    EnumResourceTypesW(program, CollectType, reinterpret_cast<LONG_PTR>(&names));
    // The skin's pictures alone are some hundreds.
    EXPECT_GT(names.size(), 200u);
    int missing = 0;
    for (const NamedResource& r : names) {
        if (!FindResourceW(program, r.name.c_str(), r.type.c_str())) {
            if (++missing <= 5)
                ADD_FAILURE() << "not found: " << std::string(r.type.begin(), r.type.end()) << " "
                              << std::string(r.name.begin(), r.name.end());
        }
    }
    EXPECT_EQ(missing, 0);
    // The ones the start-up cannot do without, by the names the code uses.
    EXPECT_NE(FindResourceW(program, L"functions.stg", L"TOLVEX"), nullptr);
    EXPECT_NE(FindResourceW(program, L"Config.txt", L"ZAVU_SKIN"), nullptr);
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(102), MAKEINTRESOURCEW(5)), nullptr);   // RT_DIALOG
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(128), MAKEINTRESOURCEW(14)), nullptr);  // RT_GROUP_ICON
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(145), MAKEINTRESOURCEW(12)), nullptr);  // RT_GROUP_CURSOR
    FreeLibrary(program);
}

// One program for the whole suite: its start takes seconds under Wine.
class VimbrelProcess : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
        // The prompt is due at the first showing; the flag comes back as it
        // was at the end.
        promptFlagWasSet_ = PromptFlagSet();
        SetPromptFlag(false);
        program_ = StartProgram();
        if (program_.process) WaitFor([] { return (main_ = MainWindowOf(program_.id)) != nullptr; }, 60000);
        if (main_) WaitFor([] { return IsWindowVisible(main_) != FALSE; }, 20000);
    }
    static void TearDownTestSuite() {
        if (program_.process) {
            if (ExitCodeWithin(program_.process, 0) == STILL_ACTIVE) {
                if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
                if (ExitCodeWithin(program_.process, 20000) == STILL_ACTIVE) TerminateProcess(program_.process, 1);
            }
            CloseHandle(program_.process);
        }
        SetPromptFlag(promptFlagWasSet_);
        Gdiplus::GdiplusShutdown(gdiplusToken_);
    }
    void SetUp() override {
        ASSERT_NE(program_.process, nullptr) << "vimbrel.exe did not start";
        ASSERT_NE(main_, nullptr) << "no window titled \"Vim Brel\"";
    }

    static ProcessHandles program_;
    static HWND main_;
    static ULONG_PTR gdiplusToken_;
    static bool promptFlagWasSet_;
};
ProcessHandles VimbrelProcess::program_;
HWND VimbrelProcess::main_ = nullptr;
ULONG_PTR VimbrelProcess::gdiplusToken_ = 0;
bool VimbrelProcess::promptFlagWasSet_ = false;

// First: the prompt opens over the window half a second after it shows.
TEST_F(VimbrelProcess, FrequencyPromptFollowsTheFirstShowing) {
    EXPECT_TRUE(CancelOwnedDialog(main_, 10000)) << "no prompt after the main window showed";
    // Its box starts ticked and is applied at once: not due any more.
    EXPECT_TRUE(PromptFlagSet());
    EXPECT_TRUE(IsWindowVisible(main_));
}

TEST_F(VimbrelProcess, MainWindowTakesTheSkinAndHostsItsChildren) {
    RECT window{};
    GetWindowRect(main_, &window);
    EXPECT_EQ(window.right - window.left, 768);
    EXPECT_EQ(window.bottom - window.top, 511);
    EXPECT_EQ(GetWindowLongPtrW(main_, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_TRUE(IsWindowVisible(main_));
    // Centred on the 1024 x 768 screen: (256 / 2, 257 / 2).
    EXPECT_EQ(window.left, (GetSystemMetrics(SM_CXSCREEN) - 768) / 2);
    EXPECT_EQ(window.top, (GetSystemMetrics(SM_CYSCREEN) - 511) / 2);

    HWND preview = GetDlgItem(main_, 0xFFFF);
    ASSERT_NE(preview, nullptr);
    wchar_t className[32] = {};
    GetClassNameW(preview, className, 32);
    EXPECT_EQ(_wcsicmp(className, L"Static"), 0);
    EXPECT_EQ(GetWindowLongPtrW(preview, GWL_STYLE) & SS_TYPEMASK, SS_BLACKRECT);
    const RECT place = ChildRectInClient(main_, preview);
    EXPECT_EQ(place.left, kPreviewArea.left);
    EXPECT_EQ(place.top, kPreviewArea.top);
    EXPECT_EQ(place.right, kPreviewArea.right);
    EXPECT_EQ(place.bottom, kPreviewArea.bottom);

    // The six mode panels share one corner; only the current mode's shows.
    int panels = 0, shown = 0;
    for (HWND child = GetWindow(main_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = ChildRectInClient(main_, child);
        if (r.left == kModePanelCorner.x && r.top == kModePanelCorner.y) {
            ++panels;
            if (IsWindowVisible(child)) ++shown;
        }
    }
    EXPECT_EQ(panels, 6);
    EXPECT_EQ(shown, 1);

    // The children the controller makes on their areas: the function panel
    // on DCDCDC (347 x 20 at (139, 378)) with buttons of the Video mode's
    // settings, the status strip on E6E6E6 and the wheel on F0F0F0.
    HWND functions = nullptr, overlay = nullptr, wheel = nullptr, tabs = nullptr;
    for (HWND child = GetWindow(main_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = ChildRectInClient(main_, child);
        if (r.left == 139 && r.top == 378 && r.right == 486 && r.bottom == 398) functions = child;
        if (r.left == 86 && r.top == 352 && r.right == 486 && r.bottom == 366) overlay = child;
        if (r.left == 10 && r.top == 374 && r.right == 130 && r.bottom == 494) wheel = child;
        if (r.left == 492 && r.top == 92 && r.right == 760 && r.bottom == 500) tabs = child;
    }
    ASSERT_NE(functions, nullptr);
    EXPECT_NE(overlay, nullptr);
    EXPECT_NE(wheel, nullptr);
    // The media tab strip on BEBEBE, and the media folders it made under
    // the data root of a system above Windows XP.
    EXPECT_NE(tabs, nullptr);
    for (const wchar_t* kind : {L"Image", L"Video", L"Audio", L"Monitor"}) {
        const std::wstring folder = MediaFolder(kind);
        ASSERT_FALSE(folder.empty());
        const DWORD attributes = GetFileAttributesW(folder.c_str());
        EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            << "no folder " << std::string(folder.begin(), folder.end());
    }
    int buttons = 0;
    for (HWND b = GetWindow(functions, GW_CHILD); b; b = GetWindow(b, GW_HWNDNEXT)) {
        if (IsWindowVisible(b)) ++buttons;
    }
    EXPECT_GT(buttons, 0) << "no setting button in the Video mode";

    // The camera-button tool's window: found by class, owned, never shown.
    HWND hidden = FindWindowW(L"VIDEOCAPEX_CLASSNAME", L"Vimbrel");
    ASSERT_NE(hidden, nullptr);
    EXPECT_EQ(GetWindow(hidden, GW_OWNER), main_);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_NE(GetWindowLongPtrW(hidden, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
}

TEST_F(VimbrelProcess, PreviewShowsTheCamerasFrames) {
    HWND preview = GetDlgItem(main_, 0xFFFF);
    ASSERT_NE(preview, nullptr);
    SetWindowPos(main_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RECT r{};
    GetWindowRect(preview, &r);
    // The preview is a black rectangle until the camera's frames cover it.
    auto anyLit = [&r] {
        HDC screen = GetDC(nullptr);
        bool lit = false;
        for (int i = 1; i <= 3 && !lit; ++i) {
            for (int j = 1; j <= 3 && !lit; ++j) {
                const COLORREF c = GetPixel(screen, r.left + (r.right - r.left) * i / 4,
                                            r.top + (r.bottom - r.top) * j / 4);
                lit = c != CLR_INVALID && (GetRValue(c) > 24 || GetGValue(c) > 24 || GetBValue(c) > 24);
            }
        }
        ReleaseDC(nullptr, screen);
        return lit;
    };
    EXPECT_TRUE(WaitFor(anyLit, 30000)) << "the preview stayed black";
}

TEST_F(VimbrelProcess, EscAndEnterLeaveTheWindowOpen) {
    for (WPARAM key : {WPARAM{VK_ESCAPE}, WPARAM{VK_RETURN}}) {
        PostMessageW(main_, WM_KEYDOWN, key, 0x00010001);
        PostMessageW(main_, WM_KEYUP, key, 0xC0010001);
    }
    testbench::PumpFor(1500);
    EXPECT_EQ(ExitCodeWithin(program_.process, 0), STILL_ACTIVE);
    EXPECT_TRUE(IsWindow(main_));
    EXPECT_TRUE(IsWindowVisible(main_));
}

TEST_F(VimbrelProcess, HideNoticeHoldsEveryShowUntilTheShowNotice) {
    SendMessageW(main_, kShowMainWindow, 0, 0);
    EXPECT_FALSE(IsWindowVisible(main_));
    ShowWindow(main_, SW_SHOWNA);
    testbench::PumpFor(300);
    EXPECT_FALSE(IsWindowVisible(main_));
    SetWindowPos(main_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    testbench::PumpFor(300);
    EXPECT_FALSE(IsWindowVisible(main_));

    // A hidden window never gets the prompt.
    EXPECT_EQ(OwnedDialog(main_), nullptr);

    // Shown again with the prompt due again: it is considered again.
    SetPromptFlag(false);
    SendMessageW(main_, kShowMainWindow, 1, 0);
    EXPECT_TRUE(WaitFor([] { return IsWindowVisible(main_) != FALSE; }, 3000));
    EXPECT_TRUE(CancelOwnedDialog(main_, 5000)) << "no prompt after the window showed again";
    EXPECT_TRUE(PromptFlagSet());
}

TEST_F(VimbrelProcess, SettingButtonOpensItsPopupAboveIt) {
    HWND functions = nullptr;
    for (HWND child = GetWindow(main_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = ChildRectInClient(main_, child);
        if (r.left == 139 && r.top == 378 && r.right == 486 && r.bottom == 398) functions = child;
    }
    ASSERT_NE(functions, nullptr);
    HWND button = nullptr;
    for (HWND b = GetWindow(functions, GW_CHILD); b && !button; b = GetWindow(b, GW_HWNDNEXT)) {
        if (IsWindowVisible(b)) button = b;
    }
    ASSERT_NE(button, nullptr);
    RECT buttonRect{};
    GetWindowRect(button, &buttonRect);
    // The pointer really over the button: the button checks where it is.
    SetCursorPos(buttonRect.left + 10, buttonRect.top + 10);
    PostMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    HWND popup = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (popup = PopupAbove(program_.id, main_, buttonRect.top + 1)) != nullptr; }, 5000))
        << "no popup above the first setting button";
    SetCursorPos(0, 0);
    if (popup) PostMessageW(popup, WM_CLOSE, 0, 0);
    testbench::PumpFor(500);
}

TEST_F(VimbrelProcess, AboutBoxOpensOnlyFromItsRectangle) {
    // Released elsewhere on the skin: nothing opens.
    PostMessageW(main_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(600, 20));
    PostMessageW(main_, WM_LBUTTONUP, 0, MAKELPARAM(600, 20));
    testbench::PumpFor(1000);
    EXPECT_EQ(OwnedDialog(main_), nullptr);
    // Released inside (680, 30)-(760, 85): the about box.
    PostMessageW(main_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(700, 50));
    PostMessageW(main_, WM_LBUTTONUP, 0, MAKELPARAM(700, 50));
    EXPECT_TRUE(CancelOwnedDialog(main_, 5000)) << "no about box";
    // The box hides before it gives its owner back.
    EXPECT_TRUE(WaitFor([] { return IsWindowEnabled(main_) != FALSE; }, 3000));
}

TEST_F(VimbrelProcess, SecondCopyRestoresTheFirstAndLeavesWithCodeZero) {
    ShowWindow(main_, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([] { return IsIconic(main_) != FALSE; }, 3000));

    ProcessHandles second = StartProgram();
    ASSERT_NE(second.process, nullptr);
    const DWORD code = ExitCodeWithin(second.process, 60000);
    if (code == STILL_ACTIVE) TerminateProcess(second.process, 1);
    CloseHandle(second.process);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitFor([] { return IsIconic(main_) == FALSE; }, 5000)) << "the first copy stayed minimized";
    // Restored to its own size, not to the minimized rectangle.
    RECT window{};
    GetWindowRect(main_, &window);
    EXPECT_EQ(window.right - window.left, 768);
    EXPECT_EQ(window.bottom - window.top, 511);
    EXPECT_EQ(CountWindowsTitled(kCaption), 1);
    EXPECT_EQ(ExitCodeWithin(program_.process, 0), STILL_ACTIVE);
}

TEST_F(VimbrelProcess, KeepsAPictureOfTheWindow) {
    SetWindowPos(main_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testbench::PumpFor(1000);
    const std::wstring artifacts = ProgramFolder() + L"\\..\\artifacts";
    CreateDirectoryW(artifacts.c_str(), nullptr);
    EXPECT_TRUE(SaveWindowPicture(main_, artifacts + L"\\vimbrel.png"));
}

// Last: the program is gone afterwards.
TEST_F(VimbrelProcess, CloseEndsTheProgramWithCodeZero) {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeWithin(program_.process, 30000), 0u);
    EXPECT_EQ(MainWindowOf(program_.id), nullptr);
}

}  // namespace

namespace {

// A DWORD value under the settings key: its old state, put back at the end.
class CSettingOverride {
public:
    CSettingOverride(const wchar_t* name, DWORD value) : name_(name) {
        DWORD size = sizeof(old_);
        had_ = RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, &old_, &size) ==
               ERROR_SUCCESS;
        Write(value);
    }
    ~CSettingOverride() {
        if (had_) {
            Write(old_);
        } else if (HKEY key = Open()) {
            RegDeleteValueW(key, name_.c_str());
            RegCloseKey(key);
        }
    }

private:
    HKEY Open() {
        HKEY key = nullptr;
        return RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
                       ERROR_SUCCESS
                   ? key
                   : nullptr;
    }
    void Write(DWORD value) {
        if (HKEY key = Open()) {
            RegSetValueExW(key, name_.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
            RegCloseKey(key);
        }
    }
    std::wstring name_;
    DWORD old_ = 0;
    bool had_ = false;
};

int CountFiles(const std::wstring& folder) { return static_cast<int>(FilesIn(folder).size()); }

// Starts the program, hands its main window to `use` once it shows, then
// closes it; the exit code, or STILL_ACTIVE when it had to be ended.
DWORD RunProgram(const std::function<void(HWND)>& use) {
    ProcessHandles program = StartProgram();
    EXPECT_NE(program.process, nullptr);
    if (!program.process) return STILL_ACTIVE;
    HWND main = nullptr;
    const bool shown = WaitFor([&] { return (main = MainWindowOf(program.id)) != nullptr && IsWindowVisible(main); },
                               60000);
    EXPECT_TRUE(shown) << "no main window";
    if (shown) {
        use(main);
        PostMessageW(main, WM_CLOSE, 0, 0);
    }
    const DWORD code = ExitCodeWithin(program.process, 30000);
    if (code == STILL_ACTIVE) TerminateProcess(program.process, 1);
    CloseHandle(program.process);
    return code;
}

}  // namespace

// Started in the picture mode (ModeId 3, stored as value "8448"), the
// camera-button tool's capture key takes a picture into the image folder.
TEST(VimbrelCameraButton, CaptureKeyTakesAPictureInThePictureMode) {
    CSettingOverride mode(L"8448", 3);
    CSettingOverride prompt(kPromptFlag, 1);
    const std::wstring images = MediaFolder(L"Image");
    const std::vector<std::wstring> earlier = FilesIn(images);
    const DWORD code = RunProgram([&images](HWND) {
        HWND hidden = FindWindowW(L"VIDEOCAPEX_CLASSNAME", L"Vimbrel");
        ASSERT_NE(hidden, nullptr);
        const int before = CountFiles(images);
        // Let the camera run a moment, as a user would before pressing.
        testbench::PumpFor(1500);
        SendMessageW(hidden, RegisterWindowMessageW(L"KVX_VIDEOCAPEX_MESSAGE"), 71, 0);
        EXPECT_TRUE(WaitFor([&] { return CountFiles(images) == before + 1; }, 15000))
            << "no new picture in " << std::string(images.begin(), images.end());
        // Another value does nothing.
        SendMessageW(hidden, RegisterWindowMessageW(L"KVX_VIDEOCAPEX_MESSAGE"), 70, 0);
        testbench::PumpFor(1500);
        EXPECT_EQ(CountFiles(images), before + 1);
    });
    EXPECT_EQ(code, 0u);
    RemoveFilesNotIn(images, earlier);
}

// Started in browse mode (ModeId 4), the program opens on the image tab and
// shows its current picture on the canvas, in place of the preview. The
// browsers list names from the highest down, so the test's picture, named
// above every capture name, is the current one.
TEST(VimbrelBrowseMode, TheImageTabsCurrentPictureIsOnTheCanvas) {
    CSettingOverride mode(L"8448", 4);
    CSettingOverride prompt(kPromptFlag, 1);
    const std::wstring images = MediaFolder(L"Image");
    SHCreateDirectoryExW(nullptr, images.c_str(), nullptr);
    const std::wstring picture = images + L"\\zz_browse_mode_test.bmp";
    vimbrel::controller::testing::WriteSolidBmp(picture, 400, 300, RGB(230, 20, 40));
    ASSERT_NE(GetFileAttributesW(picture.c_str()), INVALID_FILE_ATTRIBUTES);

    const DWORD code = RunProgram([](HWND main) {
        SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // The middle and two corners of the preview area, on the screen.
        POINT probes[] = {{(kPreviewArea.left + kPreviewArea.right) / 2, (kPreviewArea.top + kPreviewArea.bottom) / 2},
                          {kPreviewArea.left + 40, kPreviewArea.top + 40},
                          {kPreviewArea.right - 40, kPreviewArea.bottom - 40}};
        for (POINT& probe : probes) ClientToScreen(main, &probe);
        auto allRed = [&probes] {
            HDC screen = GetDC(nullptr);
            bool red = true;
            for (const POINT& probe : probes) {
                const COLORREF c = GetPixel(screen, probe.x, probe.y);
                red = red && c != CLR_INVALID && GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 80;
            }
            ReleaseDC(nullptr, screen);
            return red;
        };
        EXPECT_TRUE(WaitFor(allRed, 20000)) << "the picture is not on the canvas";
        // The live preview gave way to the canvas.
        HWND preview = GetDlgItem(main, 0xFFFF);
        EXPECT_TRUE(preview != nullptr && !IsWindowVisible(preview));
    });
    EXPECT_EQ(code, 0u);
    DeleteFileW(picture.c_str());
}

namespace {

BOOL CALLBACK CollectStaticText(HWND hwnd, LPARAM lParam) {
    wchar_t className[16] = {};
    GetClassNameW(hwnd, className, 16);
    if (_wcsicmp(className, L"Static") == 0) {
        wchar_t text[256] = {};
        GetWindowTextW(hwnd, text, 256);
        *reinterpret_cast<std::wstring*>(lParam) += text;
    }
    return TRUE;
}

}  // namespace

// Without its language library and file beside it the program says so in
// a warning box and ends with no window of its own.
TEST(VimbrelStartUp, MissingLanguageFilesEndTheProgramAfterAWarning) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"vimbrel_without_texts";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\vimbrel.exe";
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\vimbrel.exe").c_str(), copy.c_str(), FALSE));

    std::wstring command = L"\"" + copy + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(
        CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info));
    CloseHandle(info.hThread);
    const DWORD id = info.dwProcessId;
    HWND box = nullptr;
    EXPECT_TRUE(WaitFor(
        [&] {
            box = FirstTopLevel([id](HWND hwnd) {
                wchar_t className[16] = {};
                GetClassNameW(hwnd, className, 16);
                return ProcessOf(hwnd) == id && std::wstring(className) == L"#32770" && IsWindowVisible(hwnd);
            });
            return box != nullptr;
        },
        30000));
    if (box) {
        EXPECT_EQ(TitleOf(box), L"Vimbrel2");
        std::wstring text;
        EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
        EXPECT_NE(text.find(L"Multi-Language files are corrupted!"), std::wstring::npos);
        EXPECT_NE(text.find(L"Please install Vimbrel2 again"), std::wstring::npos);
        EXPECT_EQ(MainWindowOf(id), nullptr);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    const DWORD code = ExitCodeWithin(info.hProcess, 20000);
    if (code == STILL_ACTIVE) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    EXPECT_EQ(code, 0u);
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}
