// One start of the real vimbrel.exe for the screen tests: from its own
// folder, in the test prefix with the bench camera, with the settings the
// test asks for written first and put back afterwards. The destructor closes
// the program as its close key would and ends it only when it does not go.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vimbrel::screentest {

// A window's title (its first 63 characters) and the process it belongs to.
std::wstring TitleOf(HWND hwnd);
DWORD ProcessOf(HWND hwnd);
// Top-level windows that pass a test, in the system's order.
std::vector<HWND> TopLevelWindows(const std::function<bool(HWND)>& test);
// A child's window rectangle in the client coordinates of its parent.
RECT ChildRectInClient(HWND parent, HWND child);

// Polls condition until it holds or ms have passed; true when it held. The
// conditions read the program's windows, files or the screen itself, so they
// are looked at every kLookEveryMs rather than as often as the test bench's
// pump would, which would take time from the program under test.
constexpr DWORD kLookEveryMs = 50;
bool WaitFor(const std::function<bool()>& condition, DWORD ms);

// The program's folder (the tests sit beside vimbrel.exe).
std::wstring ProgramFolder();

// The program's media folder of a kind ("Image", "Video", "Audio",
// "Monitor") under the data root of a system above Windows XP.
std::wstring MediaFolder(const wchar_t* kind);
// The file names in a folder, and the removal of those a test added.
std::vector<std::wstring> FilesIn(const std::wstring& folder);
void RemoveFilesNotIn(const std::wstring& folder, const std::vector<std::wstring>& earlier);

// A DWORD under the program's settings key for the life of the object;
// without a value the setting is removed. The old state comes back after.
class CSettingValue {
public:
    CSettingValue(std::wstring name, DWORD value);
    explicit CSettingValue(std::wstring name);
    ~CSettingValue();
    CSettingValue(const CSettingValue&) = delete;
    CSettingValue& operator=(const CSettingValue&) = delete;

private:
    std::wstring name_;
    DWORD old_ = 0;
    bool had_ = false;
};

// The function panel's ground behind the item pictures (skin colour 0).
constexpr COLORREF kStripBackground = RGB(0xBB, 0xC7, 0xD6);

// ModeId as the program stores it, and the names the tests use for them.
enum class Mode : DWORD { Video = 0, VideoOnly = 1, Audio = 2, Image = 3, Browse = 4, Monitor = 5 };

struct RunOptions {
    Mode mode = Mode::Video;
    // The power-line prompt is left out unless a test looks at it.
    bool promptDue = false;
    // Further settings by their stored names ("8194" and so on).
    std::vector<std::pair<std::wstring, DWORD>> settings;
};

class CProgramRun {
public:
    explicit CProgramRun(const RunOptions& options = {});
    ~CProgramRun();
    CProgramRun(const CProgramRun&) = delete;
    CProgramRun& operator=(const CProgramRun&) = delete;

    // True once the main window showed; a test asserts this first.
    bool Started() const { return main_ != nullptr; }
    HWND Main() const { return main_; }
    DWORD ProcessId() const { return id_; }
    HANDLE Process() const { return process_; }

    // A direct child of the main window on exactly this client rectangle.
    HWND ChildAt(const RECT& client) const;
    // The program's own children, by the places its skin gives them.
    HWND Preview() const;
    HWND FunctionPanel() const;
    HWND StatusOverlay() const;
    HWND ModeWheel() const;
    // The shown setting buttons of the function panel, left to right.
    std::vector<HWND> SettingButtons() const;
    // The places (left to right) of the shown setting buttons that show no
    // picture on the strip's ground.
    std::vector<int> BlankSettingButtons() const;
    // Shown top-level windows of the program other than the main window:
    // the popups, boxes and banners over it.
    std::vector<HWND> ShownPopups() const;
    // A shown dialog box ("#32770") of the program other than the main
    // window, or null.
    HWND ShownDialog() const;

    // Switches the mode as the wheel does, through the controller's way in
    // a user has: the mode wheel's sectors are clicked. Waits until the
    // stored mode is m and the screen has settled, then checks the screen
    // (ModeShows); false, with the running test failed, when either is not.
    bool ChangeMode(Mode m);
    // Whether the screen shows mode m: its picture beside the preview and
    // its buttons on the function panel, each drawn.
    bool ModeShows(Mode m) const;
    // The stored ModeId, or -1.
    static int StoredMode();

    // Brings the main window to the front and gives it the keyboard.
    void Activate() const;

private:
    std::vector<std::unique_ptr<CSettingValue>> overrides_;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    HWND main_ = nullptr;
};

}  // namespace vimbrel::screentest
