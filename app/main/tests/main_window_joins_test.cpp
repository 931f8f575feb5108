// The main window's children as the program joins them, in real windows
// under Xvfb: the media tab strip over a scratch media folder, its
// browsers' menu reaching the real file actions on the strip's selection
// (copy to with a scripted save dialog, mail with a recording mail
// program, print, wallpaper), and browse mode answering the questions of
// the strip, the browsers and the mode wheel about an edited picture.
#include "CBrowseMode.h"
#include "CBrowseModeLink.h"
#include "CDialogDismisser.h"
#include "CMainWindowChildren.h"
#include "CPhotoCanvas.h"
#include "ControllerTestRig.h"
#include "FilesTestSupport.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vimbrel::mainwindow {
namespace {

using controller::testing::CFixedClock;
using controller::testing::CScratchFolder;
using controller::testing::CTextTable;

struct SentMail {
    int loads = 0;
    int sends = 0;
    std::vector<std::string> paths;
    std::vector<std::string> names;
};

// A mail program that writes down the attachments of each message.
class CRecordingMail final : public controller::IMailClient {
public:
    explicit CRecordingMail(SentMail& record) : record_(record) {}
    bool IsConfigured() override { return true; }
    bool Load() override {
        ++record_.loads;
        return true;
    }
    ULONG SendMail(MapiMessage& message) override {
        ++record_.sends;
        record_.paths.clear();
        record_.names.clear();
        for (ULONG i = 0; i < message.nFileCount; ++i) {
            record_.paths.push_back(message.lpFiles[i].lpszPathName);
            record_.names.push_back(message.lpFiles[i].lpszFileName);
        }
        return SUCCESS_SUCCESS;
    }

private:
    SentMail& record_;
};

class CScriptedPrompts final : public controller::IFileActionPrompts {
public:
    std::optional<std::wstring> AskCopyDestination(HWND, const std::wstring& filter, const std::wstring&) override {
        ++copyDialogs;
        askedFilter = filter;
        return copyAnswer;
    }
    controller::PrinterChoice AskPrinter(HWND) override {
        ++printDialogs;
        return {};  // the user cancels
    }
    void ShowMessage(HWND, const std::wstring& text, const std::wstring&) override { messages.push_back(text); }

    std::optional<std::wstring> copyAnswer;
    std::wstring askedFilter;
    int copyDialogs = 0;
    int printDialogs = 0;
    std::vector<std::wstring> messages;
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The strip on (0, 0)-(300, 400) of its parent: the browsers below the
// 27-pixel tabs are 300 x 373, cut into cells of 142 x 93.
constexpr LPARAM kCell0 = MAKELPARAM(60, 40);
constexpr LPARAM kCell1 = MAKELPARAM(200, 40);

class MainWindowJoinsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(rig.StartUp(), 1);
        const std::wstring media = root_.Path() + L"\\Vimbrel";
        CreateDirectoryW(media.c_str(), nullptr);
        CreateDirectoryW((media + L"\\Image").c_str(), nullptr);
        // The browsers list names from the highest down: b.bmp is item 0.
        first_ = media + L"\\Image\\b.bmp";
        second_ = media + L"\\Image\\a.bmp";
        controller::testing::WriteSolidBmp(first_, 8, 6, RGB(255, 0, 0));
        controller::testing::WriteSolidBmp(second_, 8, 6, RGB(0, 0, 255));

        parent_ = CreateWindowExW(0, L"STATIC", L"joins", WS_POPUP | WS_VISIBLE, 0, 0, 640, 420, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        children_ = std::make_unique<CMainWindowChildren>(
            rig.controller, catalog_,
            MediaActionServices{prompts_, texts_, [this] { return std::make_unique<CRecordingMail>(mail_); },
                                root_.Path()});
    }
    void TearDown() override {
        if (children_) children_->SetBrowseControl(nullptr);
        browse_.reset();
        children_.reset();
        canvas_.reset();
        if (parent_) DestroyWindow(parent_);
        testbench::PumpWaiting();
    }

    void MakeStrip() {
        children_->SetMediaRoot(root_.Path());
        wchar_t folders[4][MAX_PATH] = {};
        ASSERT_NE(
            children_->CreateBrowseTabs(parent_, RECT{0, 0, 300, 400}, folders[0], folders[1], folders[2], folders[3]),
            nullptr);
        ASSERT_EQ(std::wstring(folders[0]), root_.Path() + L"\\Vimbrel\\Image");
        rig.controller.AttachWindows(*children_);
    }
    HWND ImageBrowser() { return children_->Tabs()->Browser(0).Handle(); }
    void MenuCommand(WPARAM id) { SendMessageW(ImageBrowser(), WM_COMMAND, id, 0); }

    // Browse mode over a canvas showing the first picture, then edited.
    void EditFirstPictureInBrowseMode() {
        canvas_ = std::make_unique<canvas::CPhotoCanvas>();
        ASSERT_EQ(canvas_->Create(parent_, 320, 240, 310, 0), 1);
        browse_ = std::make_unique<controller::CBrowseMode>(rig.controller, u"C:\\Prog");
        browse_->SetCanvas(canvas_.get());
        browse_->SetTabs(children_->Tabs());
        browse_->SetPromptOwner(parent_);
        browse_->Attach();
        children_->SetBrowseControl(&browse_->Control());
        ASSERT_EQ(rig.controller.SetMode(controller::kModeBrowse), 1);
        ASSERT_EQ(browse_->Control().ShowMediaFile(std::u16string(first_.begin(), first_.end()).c_str(),
                                                   controller::kClassPicture),
                  1);
        browse_->Control().ApplyPhotoEffect(13);
        ASSERT_EQ(browse_->Control().IsPhotoModified(), 1);
        rig.ClearLogs();
    }

    controller::test::CameraControllerRig rig;
    CTextTable texts_{{{u"IDS_MSG_MAPINOTINSTALL", u"No mail program"}}};
    CFixedClock clock_{controller::LocalTime{}};
    controller::CControllerCatalog catalog_{texts_, clock_};
    CScratchFolder root_{L"vb_main_joins"};
    std::wstring first_, second_;
    CScriptedPrompts prompts_;
    SentMail mail_;
    HWND parent_ = nullptr;
    std::unique_ptr<CMainWindowChildren> children_;
    std::unique_ptr<canvas::CPhotoCanvas> canvas_;
    std::unique_ptr<controller::CBrowseMode> browse_;
};

// --- the browsers' selection and menu ------------------------------------------

TEST_F(MainWindowJoinsTest, BeforeTheStripExistsTheActionsFindNothingSelected) {
    CMediaActions& actions = children_->MediaActions();
    EXPECT_EQ(actions.CopySelectedTo(), 0);
    EXPECT_EQ(actions.PrintSelected(), 0);
    EXPECT_EQ(actions.MailSelected(), 0);
    EXPECT_EQ(prompts_.copyDialogs, 0);
    EXPECT_EQ(prompts_.printDialogs, 0);
    EXPECT_EQ(mail_.sends, 0);
    // Nothing to leave without a strip, and no browse mode to ask.
    EXPECT_EQ(children_->QueryLeaveBrowse(), 7);
}

TEST_F(MainWindowJoinsTest, MailSendsTheShownBrowsersSelectionInSelectionOrder) {
    MakeStrip();
    // The key of the browse panel and the menu item take the same way.
    EXPECT_EQ(children_->MediaActions().MailSelected(), 1);
    ASSERT_EQ(mail_.paths.size(), 1u);
    EXPECT_EQ(mail_.paths[0], Narrow(first_));
    EXPECT_EQ(mail_.names[0], "b.bmp");

    // Ctrl adds the second item; the menu's e-mail sends both.
    SendMessageW(ImageBrowser(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, kCell1);
    MenuCommand(3);
    ASSERT_EQ(mail_.paths.size(), 2u);
    EXPECT_EQ(mail_.paths[0], Narrow(first_));
    EXPECT_EQ(mail_.paths[1], Narrow(second_));
    EXPECT_EQ(mail_.names[1], "a.bmp");
    EXPECT_EQ(mail_.loads, 2);

    // Another tab's browser is empty: the message goes without files.
    ASSERT_EQ(children_->SelectBrowseTab(1), 1);
    EXPECT_EQ(children_->MediaActions().MailSelected(), 1);
    EXPECT_EQ(mail_.sends, 3);
    EXPECT_TRUE(mail_.paths.empty());
    EXPECT_EQ(children_->MediaActions().CopySelectedTo(), 0);
    EXPECT_EQ(prompts_.copyDialogs, 0);
}

TEST_F(MainWindowJoinsTest, CopyToAndPrintActOnTheCurrentItem) {
    MakeStrip();
    const std::wstring copy = root_.File(L"copy.bmp");
    prompts_.copyAnswer = copy;
    MenuCommand(2);
    EXPECT_EQ(prompts_.copyDialogs, 1);
    EXPECT_EQ(prompts_.askedFilter, L"*.bmp|*.bmp||");
    ASSERT_TRUE(controller::testing::FileExistsW(copy));
    EXPECT_EQ(controller::testing::ReadWholeFile(copy), controller::testing::ReadWholeFile(first_));

    // Print asks for a printer for the picture; the user cancels here.
    MenuCommand(4);
    EXPECT_EQ(prompts_.printDialogs, 1);
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(MainWindowJoinsTest, SetAsDesktopMakesTheCurrentItemTheWallpaper) {
    MakeStrip();
    wchar_t previous[MAX_PATH] = L"";
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, previous, 0);
    // The second item becomes the current one by a plain click.
    SendMessageW(ImageBrowser(), WM_LBUTTONDOWN, MK_LBUTTON, kCell1);
    MenuCommand(5);
    wchar_t now[MAX_PATH] = L"";
    SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, now, 0);
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, previous, SPIF_UPDATEINIFILE);
    EXPECT_EQ(lstrcmpiW(now, second_.c_str()), 0) << Narrow(now);
    EXPECT_EQ(children_->MediaActions().SetDesktopWallpaper(L""), 0);
}

// --- browse mode's answers -----------------------------------------------------

TEST_F(MainWindowJoinsTest, AnEditedPictureIsAskedAboutByTheStripTheBrowserAndTheWheel) {
    MakeStrip();
    EditFirstPictureInBrowseMode();
    testbench::CDialogDismisser dismisser(IDCANCEL);

    // Another tab: the box, and Cancel keeps the image tab.
    SendMessageW(children_->Tabs()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(64 + 20, 10));
    EXPECT_EQ(children_->Tabs()->SelectedTab(), 0);
    // Another item: Cancel keeps the current one.
    SendMessageW(ImageBrowser(), WM_LBUTTONDOWN, MK_LBUTTON, kCell1);
    std::wstring current;
    int kind = -1;
    ASSERT_EQ(children_->Tabs()->GetCurrentFile(&current, &kind), 1);
    EXPECT_EQ(current, first_);
    // Leaving browse mode by the wheel: Cancel stays (2).
    EXPECT_EQ(rig.controller.QueryLeaveBrowse(), 2);
    ASSERT_EQ(dismisser.Dismissed().size(), 3u);
    for (const testbench::DismissedDialog& box : dismisser.Dismissed()) EXPECT_EQ(box.caption, L"Vim Brel");

    // No: the wheel goes on without a copy.
    dismisser.SetButton(IDNO);
    EXPECT_EQ(rig.controller.QueryLeaveBrowse(), 7);
    EXPECT_FALSE(controller::testing::FileExistsW(root_.Path() + L"\\Vimbrel\\Image\\b_2.bmp"));
    // Yes: saved as the first free copy name, and the wheel goes on.
    dismisser.SetButton(IDYES);
    EXPECT_EQ(rig.controller.QueryLeaveBrowse(), 1);
    EXPECT_TRUE(controller::testing::FileExistsW(root_.Path() + L"\\Vimbrel\\Image\\b_2.bmp"));
    EXPECT_EQ(dismisser.Dismissed().size(), 5u);

    // Saved: nothing is asked any more.
    EXPECT_EQ(rig.controller.QueryLeaveBrowse(), 7);
    EXPECT_EQ(dismisser.Dismissed().size(), 5u);
}

TEST_F(MainWindowJoinsTest, DeletingTheShownFileStopsPlaybackThroughBrowseMode) {
    MakeStrip();
    EditFirstPictureInBrowseMode();
    testbench::CDialogDismisser dismisser(IDOK);
    ASSERT_EQ(browse_->Control().CurrentMediaFile(), std::u16string(first_.begin(), first_.end()));

    // Another file goes without touching playback: Ctrl adds the second
    // item and takes the first away, so the selection is the second alone.
    SendMessageW(ImageBrowser(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, kCell1);
    SendMessageW(ImageBrowser(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, kCell0);
    MenuCommand(1);
    EXPECT_FALSE(controller::testing::FileExistsW(second_));
    EXPECT_TRUE(controller::testing::FileExistsW(first_));
    EXPECT_TRUE(rig.EngineLog().empty());

    // The folder watch's refresh shows the current item again, which stops
    // playback by itself: it must have come before the next delete.
    testbench::PumpUntil([&] { return !rig.EngineLog().empty(); }, 5000);
    rig.ClearLogs();

    // Browse mode's own file: playback stops before the file goes.
    MenuCommand(1);
    EXPECT_FALSE(controller::testing::FileExistsW(first_));
    EXPECT_EQ(rig.EngineLog(), std::vector<std::string>{"StopPlayback()"});
    EXPECT_EQ(dismisser.Dismissed().size(), 2u);
}

TEST(BrowseModeLink, WithoutBrowseModeNothingIsShownOrEdited) {
    CBrowseModeLink link;
    EXPECT_FALSE(link.Linked());
    EXPECT_EQ(link.QuerySaveModified(), 7);
    EXPECT_EQ(link.CurrentFile(), L"");
    link.ClearBrowsePicture();
    link.StopPlayback();
}

}  // namespace
}  // namespace vimbrel::mainwindow
