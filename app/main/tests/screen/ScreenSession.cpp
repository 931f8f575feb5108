#include "ScreenSession.h"

#include "ScreenInput.h"

#include "ScreenPicture.h"

#include "MessagePump.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>

namespace vimbrel::screentest {
namespace {

constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Zavu\\Vimbrel";
constexpr wchar_t kCaption[] = L"Vim Brel";
constexpr wchar_t kModeValue[] = L"8448";
constexpr wchar_t kPromptValue[] = L"PopFreqDlg";

// The skin's places of the children, in the main window's client area.
constexpr RECT kPreview{86, 52, 486, 352};
constexpr RECT kFunctionPanel{139, 378, 486, 398};
constexpr RECT kStatusOverlay{86, 352, 486, 366};
constexpr RECT kModeWheel{10, 374, 130, 494};
// The mode's picture beside the preview (MODE0.JPG to MODE5.JPG, 67 x 298).
constexpr RECT kModePicture{10, 52, 77, 350};
// How many setting buttons the panel shows in each mode (by ModeId), the
// settings sheet's included.
constexpr size_t kSettingButtonsOfMode[6] = {12, 12, 5, 14, 6, 3};
// The wheel's sectors: sector k (1..5) lies k x 60 degrees clockwise from
// the top, on the ring between radius 44 and 59, and turns k modes on.
constexpr double kWheelCentre = 60.0, kSectorRadius = 51.5;

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

struct WindowSearch {
    const std::function<bool(HWND)>* test;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectPassing(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    if ((*search->test)(hwnd)) search->found.push_back(hwnd);
    return TRUE;
}

bool ReadSetting(const wchar_t* name, DWORD& value) {
    DWORD size = sizeof(value);
    return RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
           ERROR_SUCCESS;
}

void WriteSetting(const wchar_t* name, const DWORD* value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (value) {
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(value), sizeof(*value));
    } else {
        RegDeleteValueW(key, name);
    }
    RegCloseKey(key);
}

}  // namespace

std::wstring TitleOf(HWND hwnd) {
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    return title;
}

DWORD ProcessOf(HWND hwnd) {
    DWORD id = 0;
    GetWindowThreadProcessId(hwnd, &id);
    return id;
}

std::vector<HWND> TopLevelWindows(const std::function<bool(HWND)>& test) {
    WindowSearch search{&test, {}};
    EnumWindows(CollectPassing, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT ChildRectInClient(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool WaitFor(const std::function<bool()>& condition, DWORD ms) {
    return testbench::PumpUntil(condition, ms, kLookEveryMs);
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring MediaFolder(const wchar_t* kind) {
    wchar_t common[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common))) return {};
    return std::wstring(common) + L"\\Zavu\\Vimbrel2\\Vimbrel\\" + kind;
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void RemoveFilesNotIn(const std::wstring& folder, const std::vector<std::wstring>& earlier) {
    for (const std::wstring& name : FilesIn(folder)) {
        if (std::find(earlier.begin(), earlier.end(), name) == earlier.end())
            DeleteFileW((folder + L"\\" + name).c_str());
    }
}

CSettingValue::CSettingValue(std::wstring name, DWORD value) : name_(std::move(name)) {
    had_ = ReadSetting(name_.c_str(), old_);
    WriteSetting(name_.c_str(), &value);
}

CSettingValue::CSettingValue(std::wstring name) : name_(std::move(name)) {
    had_ = ReadSetting(name_.c_str(), old_);
    WriteSetting(name_.c_str(), nullptr);
}

CSettingValue::~CSettingValue() { WriteSetting(name_.c_str(), had_ ? &old_ : nullptr); }

CProgramRun::CProgramRun(const RunOptions& options) {
    overrides_.push_back(std::make_unique<CSettingValue>(kModeValue, static_cast<DWORD>(options.mode)));
    overrides_.push_back(options.promptDue ? std::make_unique<CSettingValue>(kPromptValue)
                                           : std::make_unique<CSettingValue>(kPromptValue, 1));
    for (const auto& setting : options.settings)
        overrides_.push_back(std::make_unique<CSettingValue>(setting.first, setting.second));

    // Nothing of an earlier test may still hang over the screen.
    MoveMouseTo({1, 1});
    const std::wstring folder = ProgramFolder();
    std::wstring command = L"\"" + folder + L"\\vimbrel.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    HWND found = nullptr;
    const DWORD id = id_;
    if (!WaitFor(
            [&] {
                const auto mains = TopLevelWindows([id](HWND hwnd) {
                    return ProcessOf(hwnd) == id && TitleOf(hwnd) == kCaption && IsWindowVisible(hwnd);
                });
                found = mains.empty() ? nullptr : mains.front();
                return found != nullptr;
            },
            60000))
        return;
    main_ = found;
    // The camera's first frames and the first paint of every child.
    testbench::PumpFor(3000);
    Activate();
}

CProgramRun::~CProgramRun() {
    if (process_) {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_, &code);
        if (code == STILL_ACTIVE) {
            // A box left open would keep the main window from closing.
            for (int i = 0; i < 4; ++i) {
                HWND box = ShownDialog();
                if (!box) break;
                PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                testbench::PumpFor(500);
            }
            if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process_, 30000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
        }
        CloseHandle(process_);
    }
    // Put back in the reverse order of writing.
    while (!overrides_.empty()) overrides_.pop_back();
    MoveMouseTo({1, 1});
}

HWND CProgramRun::ChildAt(const RECT& client) const {
    if (!main_) return nullptr;
    for (HWND child = GetWindow(main_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = ChildRectInClient(main_, child);
        if (EqualRect(&r, &client)) return child;
    }
    return nullptr;
}

HWND CProgramRun::Preview() const { return main_ ? GetDlgItem(main_, 0xFFFF) : nullptr; }
HWND CProgramRun::FunctionPanel() const { return ChildAt(kFunctionPanel); }
HWND CProgramRun::StatusOverlay() const { return ChildAt(kStatusOverlay); }
HWND CProgramRun::ModeWheel() const { return ChildAt(kModeWheel); }

std::vector<HWND> CProgramRun::SettingButtons() const {
    std::vector<std::pair<LONG, HWND>> shown;
    if (HWND panel = FunctionPanel()) {
        for (HWND b = GetWindow(panel, GW_CHILD); b; b = GetWindow(b, GW_HWNDNEXT)) {
            if (!IsWindowVisible(b) || ClassOf(b) == L"tooltips_class32") continue;
            RECT r{};
            GetWindowRect(b, &r);
            shown.emplace_back(r.left, b);
        }
    }
    std::sort(shown.begin(), shown.end());
    std::vector<HWND> buttons;
    for (const auto& s : shown) buttons.push_back(s.second);
    return buttons;
}

std::vector<HWND> CProgramRun::ShownPopups() const {
    const DWORD id = id_;
    const HWND main = main_;
    return TopLevelWindows([id, main](HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return ProcessOf(hwnd) == id && hwnd != main && IsWindowVisible(hwnd) && r.right > r.left &&
               ClassOf(hwnd) != L"tooltips_class32";
    });
}

HWND CProgramRun::ShownDialog() const {
    const DWORD id = id_;
    const HWND main = main_;
    // The main window is a dialog box too.
    const auto boxes = TopLevelWindows([id, main](HWND hwnd) {
        return ProcessOf(hwnd) == id && hwnd != main && ClassOf(hwnd) == L"#32770" && IsWindowVisible(hwnd);
    });
    return boxes.empty() ? nullptr : boxes.front();
}

int CProgramRun::StoredMode() {
    DWORD value = 0;
    return ReadSetting(kModeValue, value) ? static_cast<int>(value) : -1;
}

bool CProgramRun::ChangeMode(Mode m) {
    HWND wheel = ModeWheel();
    const int from = StoredMode();
    if (!wheel || from < 0 || from > 5) return false;
    const int target = static_cast<int>(m);
    const int sector = (target - from + 6) % 6;
    if (sector == 0) return ModeShows(m);
    const double angle = sector * 60.0 * 3.14159265358979 / 180.0;
    POINT at{static_cast<LONG>(kWheelCentre + kSectorRadius * std::sin(angle)),
             static_cast<LONG>(kWheelCentre - kSectorRadius * std::cos(angle))};
    ClientToScreen(wheel, &at);
    MoveMouseTo(at);
    ClickAt(at);
    MoveMouseTo({1, 1});
    if (!WaitFor([target] { return StoredMode() == target; }, 10000)) {
        ADD_FAILURE() << "the stored mode stays " << StoredMode() << ", not " << target;
        return false;
    }
    // The graph is rebuilt and the wheel turns (up to two and a half seconds).
    testbench::PumpFor(3500);
    return ModeShows(m);
}

bool CProgramRun::ModeShows(Mode m) const {
    // The mode's own picture beside the preview, as the program draws it.
    const std::wstring name = L"MODE" + std::to_wstring(static_cast<int>(m)) + L".JPG";
    const CScreenPicture expected = CScreenPicture::OfProgramPicture(name.c_str(), L"TOLVEX");
    const CScreenPicture shown = CScreenPicture::OfClient(main_, kModePicture);
    const int apart = shown.CountDifferent(expected, 24);
    if (apart < 0 || apart > shown.Width() * shown.Height() / 50) {
        shown.SaveToGallery(L"mode-picture-not-" + std::to_wstring(static_cast<int>(m)));
        ADD_FAILURE() << "the mode picture is not " << std::string(name.begin(), name.end()) << " (" << apart
                      << " pixels apart)";
        return false;
    }
    // The function panel with the mode's own setting buttons, each with its
    // picture on the strip's ground.
    const std::vector<HWND> buttons = SettingButtons();
    if (buttons.size() != kSettingButtonsOfMode[static_cast<int>(m)]) {
        ADD_FAILURE() << "the panel shows " << buttons.size() << " setting buttons, mode " << static_cast<int>(m)
                      << " has " << kSettingButtonsOfMode[static_cast<int>(m)];
        return false;
    }
    const std::vector<int> blank = BlankSettingButtons();
    if (!blank.empty()) {
        ADD_FAILURE() << "setting button " << blank.front() << " of mode " << static_cast<int>(m) << " is blank";
        return false;
    }
    return true;
}

std::vector<int> CProgramRun::BlankSettingButtons() const {
    std::vector<int> blank;
    const std::vector<HWND> buttons = SettingButtons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        const CScreenPicture face = CScreenPicture::OfWindow(buttons[i]);
        // An item picture covers a good part of its 20 x 20 cell.
        if (face.Count([](COLORREF c) { return !Near(c, kStripBackground, 12); }) < 20)
            blank.push_back(static_cast<int>(i));
    }
    return blank;
}

void CProgramRun::Activate() const {
    if (!main_) return;
    SetForegroundWindow(main_);
    testbench::PumpFor(200);
}

}  // namespace vimbrel::screentest
