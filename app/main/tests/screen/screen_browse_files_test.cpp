// Browse mode keeps the user's own files: the pictures of the image tab are
// chosen, deleted and edited with the pointer and keys while other files
// arrive in the folder (as a capture or a sync tool would put them there).
// Delete removes exactly the picture chosen, even when a file arrives while
// its question is open; an edited picture stays on the canvas, unasked,
// when another file goes or comes, and is only given up through the
// question about saving it. The outcome is read from the folder and from
// the screen: the canvas's colours and the file name under it.
#include "MessagePump.h"
#include "ScreenSuite.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vimbrel::screentest {
namespace {

// The preview area, where the canvas lies, and the status strip under it
// that names the file shown; both in the main window's client area.
constexpr RECT kCanvasArea{86, 52, 486, 352};
constexpr RECT kCaptionArea{86, 352, 486, 366};
// A point on the tab strip (the video tab), to find the strip by.
constexpr POINT kOnTabStrip{588, 105};
// The pictures: 320 x 240, shown unscaled in the middle of the 400 x 300
// canvas, so (40..359, 30..269) of the canvas.
constexpr int kPictureWidth = 320, kPictureHeight = 240;
constexpr POINT kPictureSample{90, 80};  // canvas point away from the strokes

// Each picture one colour, by its number.
COLORREF ColourOf(int number) {
    static const COLORREF kColours[] = {RGB(200, 40, 40),  RGB(40, 180, 60),  RGB(50, 80, 200),
                                        RGB(220, 200, 40), RGB(200, 60, 200), RGB(40, 200, 200)};
    return kColours[number % 6];
}

std::wstring PictureName(int number) { return L"zz_keep_000" + std::to_wstring(number) + L".bmp"; }

// A 24-bit BMP of one colour.
bool WritePicture(const std::wstring& folder, int number) {
    const int rowBytes = (kPictureWidth * 3 + 3) & ~3;
    const uint32_t pixels = static_cast<uint32_t>(rowBytes * kPictureHeight);
    std::vector<uint8_t> file(54 + pixels);
    auto put32 = [&file](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, kPictureWidth);
    put32(22, kPictureHeight);
    file[26] = 1;
    file[28] = 24;
    put32(34, pixels);
    const COLORREF c = ColourOf(number);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            uint8_t* p = &file[54 + static_cast<size_t>(y * rowBytes + x * 3)];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    // Written under a name the browser does not list and renamed, so the
    // whole file arrives at once, as a finished capture does.
    const std::wstring path = folder + L"\\" + PictureName(number), part = folder + L"\\zz_keep_writing";
    HANDLE out = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool whole = WriteFile(out, file.data(), static_cast<DWORD>(file.size()), &written, nullptr) &&
                       written == file.size();
    CloseHandle(out);
    return whole && MoveFileW(part.c_str(), path.c_str()) != 0;
}

bool Exists(const std::wstring& folder, int number) {
    return GetFileAttributesW((folder + L"\\" + PictureName(number)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
    testbench::PumpFor(80);
}

class BrowseFilesScreen : public CProgramSuite<BrowseFilesScreen> {
public:
    // The pen: black, 8 pixels wide (PenSize 3), no stamp.
    static RunOptions Options() { return RunOptions{Mode::Browse, false, {{L"4096", 3}, {L"4098", 0}, {L"4352", 0}}}; }
    // Four pictures in the image folder before the program lists them,
    // named above every capture name: the tab's items 0..3 are
    // zz_keep_0004 .. zz_keep_0001.
    static void SetUpTestSuite() {
        folder_ = MediaFolder(L"Image");
        earlier_ = FilesIn(folder_);
        for (int n = 1; n <= 4; ++n) WritePicture(folder_, n);
        CProgramSuite::SetUpTestSuite();
    }
    static void TearDownTestSuite() {
        CProgramSuite::TearDownTestSuite();
        RemoveFilesNotIn(folder_, earlier_);
    }

protected:
    // The shown browser of the tab strip: its cell k (0..7) on the screen.
    static POINT Cell(int k) {
        HWND strip = ChildWindowFromPoint(Run().Main(), kOnTabStrip);
        HWND browser = nullptr;
        for (HWND child = strip ? GetWindow(strip, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsWindowVisible(child)) browser = child;
        }
        if (!browser) return {-1, -1};
        RECT r{};
        GetClientRect(browser, &r);
        const int column = (r.right - 16) / 2, row = r.bottom / 4;
        return OnScreen(browser, (k % 2) * column + column / 2, (k / 2) * row + row / 2);
    }
    static void RightClickAt(POINT at) {
        MoveMouseTo(at);
        SendButton(MOUSEEVENTF_RIGHTDOWN);
        SendButton(MOUSEEVENTF_RIGHTUP);
        testbench::PumpFor(400);
    }
    // Delete from the context menu of cell k: its first item, by the keys.
    static HWND AskDeleteOf(int k) {
        RightClickAt(Cell(k));
        PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        HWND box = nullptr;
        WaitFor([&] { return (box = Run().ShownDialog()) != nullptr; }, 5000);
        return box;
    }
    static bool Press(HWND box, int button) {
        HWND key = GetDlgItem(box, button);
        if (!key) return false;
        const POINT at = CentreOf(key);
        MoveMouseTo(at);
        ClickAt(at);
        MoveMouseTo({1, 1});
        return WaitFor([box] { return !IsWindowVisible(box); }, 5000);
    }
    static POINT OnCanvas(int x, int y) { return OnScreen(Run().Main(), kCanvasArea.left + x, kCanvasArea.top + y); }
    static CScreenPicture Canvas() { return CScreenPicture::OfClient(Run().Main(), kCanvasArea); }
    static CScreenPicture Caption() { return CScreenPicture::OfClient(Run().Main(), kCaptionArea); }
    static bool Shows(int number) {
        return Near(Canvas().At(kPictureSample.x, kPictureSample.y), ColourOf(number), 12);
    }
    // Pixels of the pen's ink (black) on the canvas's picture.
    static int Ink() {
        const RECT picture{40, 30, 40 + kPictureWidth, 30 + kPictureHeight};
        return Canvas().Count(picture, [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 90; });
    }
    // The folder watch's refresh and a repaint.
    static void Settle() { testbench::PumpFor(2000); }

    static inline std::wstring folder_;
    static inline std::vector<std::wstring> earlier_;
};

TEST_F(BrowseFilesScreen, AFileArrivingDuringTheDeleteQuestionLeavesTheChoiceAlone) {
    const POINT second = Cell(1);
    ASSERT_GE(second.x, 0) << "no browser shown";
    MoveMouseTo(second);
    ClickAt(second);
    MoveMouseTo({1, 1});
    ASSERT_TRUE(WaitFor([] { return Shows(3); }, 5000)) << "the chosen picture is not shown";
    const CScreenPicture caption = Caption();
    caption.SaveToGallery(L"browse-files-caption-chosen");

    HWND box = AskDeleteOf(1);
    ASSERT_NE(box, nullptr) << "no delete question";
    ASSERT_TRUE(WritePicture(folder_, 5));  // arrives before every item
    Settle();
    SaveScreenToGallery(L"browse-files-delete-question-after-arrival");
    EXPECT_TRUE(Shows(3)) << "the canvas left the chosen picture while the question was open";
    EXPECT_LT(Caption().CountDifferent(caption, 24), 4) << "the file name under the canvas changed";

    ASSERT_TRUE(Press(box, IDOK));
    Settle();
    EXPECT_FALSE(Exists(folder_, 3)) << "the chosen picture was not deleted";
    for (int kept : {1, 2, 4, 5}) EXPECT_TRUE(Exists(folder_, kept)) << "picture " << kept << " was deleted";
    Canvas().SaveToGallery(L"browse-files-after-delete");
}

// Now items 0..3 are zz_keep_0005, 0004, 0002, 0001.
TEST_F(BrowseFilesScreen, AnEditedPictureIsOnlyGivenUpThroughTheQuestion) {
    const POINT third = Cell(2);
    MoveMouseTo(third);
    ClickAt(third);
    ASSERT_TRUE(WaitFor([] { return Shows(2); }, 5000)) << "the chosen picture is not shown";
    // A pen stroke across the picture.
    MoveMouseTo(OnCanvas(120, 160));
    SendButton(MOUSEEVENTF_LEFTDOWN);
    MoveMouseTo(OnCanvas(280, 170));
    SendButton(MOUSEEVENTF_LEFTUP);
    MoveMouseTo({1, 1});
    testbench::PumpFor(500);
    const int ink = Ink();
    ASSERT_GT(ink, 500) << "the stroke is not drawn";
    const CScreenPicture caption = Caption();
    Canvas().SaveToGallery(L"browse-files-edited");

    // Another picture deleted from its own menu.
    HWND box = AskDeleteOf(0);
    ASSERT_NE(box, nullptr) << "no delete question";
    ASSERT_TRUE(Press(box, IDOK));
    Settle();
    EXPECT_FALSE(Exists(folder_, 5));
    EXPECT_EQ(Run().ShownDialog(), nullptr) << "a question after deleting another picture";
    EXPECT_TRUE(Shows(2)) << "the edited picture was replaced after another was deleted";
    EXPECT_GE(Ink(), ink * 9 / 10) << "the stroke is gone";
    EXPECT_LT(Caption().CountDifferent(caption, 24), 4) << "the file name under the canvas changed";

    // A file arriving before it.
    ASSERT_TRUE(WritePicture(folder_, 6));
    Settle();
    EXPECT_EQ(Run().ShownDialog(), nullptr) << "a question after a file arrived";
    EXPECT_TRUE(Shows(2)) << "the edited picture was replaced after a file arrived";
    EXPECT_GE(Ink(), ink * 9 / 10) << "the stroke is gone";
    EXPECT_LT(Caption().CountDifferent(caption, 24), 4) << "the file name under the canvas changed";
    Canvas().SaveToGallery(L"browse-files-edited-after-arrival");

    // Its own file deleted: the edits are only given up through the
    // question about saving them, and Cancel keeps them shown. Items are
    // now zz_keep_0006, 0004, 0002, 0001.
    box = AskDeleteOf(2);
    ASSERT_NE(box, nullptr) << "no delete question";
    ASSERT_TRUE(Press(box, IDOK));
    HWND save = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (save = Run().ShownDialog()) != nullptr; }, 5000))
        << "the edited picture went without the question";
    if (save) {
        SaveScreenToGallery(L"browse-files-save-question");
        EXPECT_TRUE(Press(save, IDCANCEL));
    }
    Settle();
    EXPECT_FALSE(Exists(folder_, 2));
    EXPECT_TRUE(Shows(2)) << "Cancel did not keep the edited picture";
    EXPECT_GE(Ink(), ink * 9 / 10) << "the stroke is gone";
    Canvas().SaveToGallery(L"browse-files-kept-after-cancel");
}

}  // namespace
}  // namespace vimbrel::screentest
