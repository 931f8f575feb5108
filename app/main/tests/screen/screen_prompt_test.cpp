// The program's first start, with the power-line prompt due: the prompt
// lists the nations of the shipped geo.ini, chooses the user's own and
// shows its frequency, on the screen.
#include "MessagePump.h"
#include "ScreenSuite.h"

#include <string>

namespace vimbrel::screentest {
namespace {

constexpr int kLocationList = 1043, kFrequencyText = 1044;

class PromptScreen : public CProgramSuite<PromptScreen> {
public:
    static RunOptions Options() { return RunOptions{Mode::Video, true, {}}; }
};

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 3000, &ignored);
    return text;
}

TEST_F(PromptScreen, ListsNationsAndShowsTheChosenNationsFrequency) {
    HWND prompt = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (prompt = Run().ShownDialog()) != nullptr; }, 10000)) << "no prompt";
    // The suite gave the main window the keyboard; the prompt comes first.
    SetWindowPos(prompt, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(prompt);
    testbench::PumpFor(800);
    SaveScreenToGallery(L"frequency-prompt");
    HWND list = GetDlgItem(prompt, kLocationList), frequency = GetDlgItem(prompt, kFrequencyText);
    ASSERT_NE(list, nullptr);
    ASSERT_NE(frequency, nullptr);
    // Some 250 nations, one of them chosen and named in the edit field.
    EXPECT_GT(SendMessageW(list, CB_GETCOUNT, 0, 0), 200);
    EXPECT_NE(SendMessageW(list, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_FALSE(TextOf(list).empty());
    const std::wstring hertz = TextOf(frequency);
    EXPECT_TRUE(hertz == L"50 Hz" || hertz == L"60 Hz") << std::string(hertz.begin(), hertz.end());
    // And it is on the screen: dark letters on the dialog's face, and the
    // chosen nation's name in the list's field (selected, or plain).
    auto ink = [](COLORREF c) { return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 90; };
    const COLORREF face = GetSysColor(COLOR_BTNFACE), selection = GetSysColor(COLOR_HIGHLIGHT);
    const CScreenPicture shownFrequency = CScreenPicture::OfWindow(frequency);
    EXPECT_GT(shownFrequency.Count([&](COLORREF c) { return Near(c, face, 8); }),
              shownFrequency.Width() * shownFrequency.Height() / 2)
        << "the prompt is not in front";
    EXPECT_GT(shownFrequency.Count(ink), 10) << "the frequency is not drawn";
    const CScreenPicture shownList = CScreenPicture::OfWindow(list);
    EXPECT_GT(shownList.Count(ink) + shownList.Count([&](COLORREF c) { return Near(c, selection, 8); }), 10)
        << "the nation is not drawn";

    PostMessageW(prompt, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([prompt] { return !IsWindowVisible(prompt); }, 5000));
}

}  // namespace
}  // namespace vimbrel::screentest
