// Saving through each encoder and reading the files back, refusals, the
// modified flag around saving, reloading the original, and the context
// menu's texts and states.
#include "CanvasTestSupport.h"

#include "CDialogDismisser.h"

using namespace canvastest;
using namespace vimbrel::canvas;

namespace {

class CanvasSaveTest : public CanvasWindowTest {
protected:
    // A white 320 x 240 picture with a red 8 x 8 block at (20, 20).
    void EditWithBlock() {
        Edit(WritePng(scratch_, L"photo.png", 320, 240, 0xFFFFFFFF));
        canvas_->SetPenColor(RGB(255, 0, 0));
        canvas_->SetPenWidth(2.0f);
        for (int y = 0; y < 4; ++y) {
            Press(160 + 21, 120 + 21 + 2 * y);
            Move(160 + 27, 120 + 21 + 2 * y);
            Release(160 + 27, 120 + 21 + 2 * y);
        }
        ASSERT_EQ(Full(20, 20), kRed);
        ASSERT_EQ(Full(27, 27), kRed);
    }
};

TEST_F(CanvasSaveTest, EveryEncoderWritesTheFullSizePicture) {
    EditWithBlock();
    struct Case {
        const wchar_t* name;
        int tolerance;  // lossy formats stay near
    };
    for (const Case& c : {Case{L"copy.png", 0}, Case{L"copy.bmp", 0}, Case{L"copy.tiff", 0}, Case{L"copy.JPEG", 40},
                          Case{L"copy.jpg", 40}, Case{L"copy.gif", 8}}) {
        const std::wstring path = scratch_.Path(c.name);
        ASSERT_EQ(canvas_->SaveImage(path.c_str()), 1) << "saving";
        const SavedPicture saved = ReadBack(path);
        ASSERT_EQ(saved.width, 320);
        ASSERT_EQ(saved.height, 240);
        EXPECT_TRUE(NearColour(saved.At(23, 23), kRed, c.tolerance));
        EXPECT_TRUE(NearColour(saved.At(100, 100), kWhite, c.tolerance));
        EXPECT_TRUE(NearColour(saved.At(5, 5), kWhite, c.tolerance));
    }
    // The JPEG file is a JPEG whatever the case of its extension.
    HANDLE file = CreateFileW(scratch_.Path(L"copy.JPEG").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    unsigned char head[2] = {};
    DWORD read = 0;
    ReadFile(file, head, 2, &read, nullptr);
    CloseHandle(file);
    EXPECT_EQ(head[0], 0xFF);
    EXPECT_EQ(head[1], 0xD8);
}

TEST_F(CanvasSaveTest, SavingClearsTheModifiedFlagAndOtherNamesAreRefused) {
    EditWithBlock();
    EXPECT_EQ(TakeModifiedNotices(), 1);
    EXPECT_EQ(canvas_->SaveImage(scratch_.Path(L"copy.tif").c_str()), 0);
    EXPECT_EQ(canvas_->SaveImage(scratch_.Path(L"copy").c_str()), 0);
    EXPECT_EQ(canvas_->SaveImage(nullptr), 0);
    EXPECT_EQ(GetFileAttributesW(scratch_.Path(L"copy.tif").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(canvas_->IsModified(), 1);
    // A folder that does not exist makes the encoder fail.
    EXPECT_EQ(canvas_->SaveImage(scratch_.Path(L"no\\such\\copy.png").c_str()), 0);
    EXPECT_EQ(canvas_->IsModified(), 1);

    ASSERT_EQ(canvas_->SaveImage(scratch_.Path(L"copy.png").c_str()), 1);
    EXPECT_EQ(canvas_->IsModified(), 0);
    // The next edit is news to the owner again.
    Click(300, 300);
    EXPECT_EQ(canvas_->IsModified(), 1);
    EXPECT_EQ(TakeModifiedNotices(), 1);
}

TEST_F(CanvasSaveTest, ReloadAsksThenRestoresTheOriginal) {
    EditWithBlock();
    testbench::CDialogDismisser dismisser(IDOK);
    Command(kCmdReloadImage);
    ASSERT_EQ(dismisser.WaitFor(1, 5000), 1u);
    const auto boxes = dismisser.Dismissed();
    EXPECT_EQ(boxes[0].caption, L"Vimbrel");
    EXPECT_NE(boxes[0].text.find(L"Reload Original Image?"), std::wstring::npos);
    EXPECT_EQ(Full(20, 20), kWhite);
    EXPECT_EQ(canvas_->IsModified(), 0);
    EXPECT_FALSE(canvas_->CanUndo());
    EXPECT_TRUE(canvas_->EditingEnabled());

    // Cancel keeps the edits.
    Click(200, 200);
    dismisser.SetButton(IDCANCEL);
    Command(kCmdReloadImage);
    ASSERT_EQ(dismisser.WaitFor(2, 5000), 2u);
    EXPECT_EQ(canvas_->IsModified(), 1);
    EXPECT_EQ(Full(40, 80), kRed);
}

TEST_F(CanvasSaveTest, ContextMenuTextsAndStates) {
    Edit(WritePng(scratch_, L"photo.png", 320, 240, 0xFFFFFFFF));
    HMENU menu = canvas_->PrepareContextMenu();
    ASSERT_TRUE(menu);
    wchar_t text[64];
    GetMenuStringW(menu, kCmdUndo, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Undo");
    GetMenuStringW(menu, kCmdRedo, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Repeat");
    GetMenuStringW(menu, 3, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Rotate Stamp");
    GetMenuStringW(menu, kCmdStandard, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Standard");
    GetMenuStringW(menu, kCmdReloadImage, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Reload Image");
    EXPECT_EQ(GetMenuItemCount(menu), 6);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 3)), 8);

    const auto grayed = [&](UINT item, UINT how) { return (GetMenuState(menu, item, how) & MF_GRAYED) != 0; };
    EXPECT_TRUE(grayed(kCmdUndo, MF_BYCOMMAND));
    EXPECT_TRUE(grayed(kCmdRedo, MF_BYCOMMAND));
    EXPECT_TRUE(grayed(3, MF_BYPOSITION));
    EXPECT_TRUE(grayed(kCmdReloadImage, MF_BYCOMMAND));

    Click(200, 200);
    canvas_->SetTool(kToolPictureStamp);
    menu = canvas_->PrepareContextMenu();
    EXPECT_FALSE(grayed(kCmdUndo, MF_BYCOMMAND));
    EXPECT_TRUE(grayed(kCmdRedo, MF_BYCOMMAND));
    EXPECT_FALSE(grayed(3, MF_BYPOSITION));
    EXPECT_FALSE(grayed(kCmdReloadImage, MF_BYCOMMAND));
    Command(kCmdUndo);
    canvas_->SetTool(kToolNone);
    menu = canvas_->PrepareContextMenu();
    EXPECT_TRUE(grayed(kCmdUndo, MF_BYCOMMAND));
    EXPECT_FALSE(grayed(kCmdRedo, MF_BYCOMMAND));
    EXPECT_TRUE(grayed(3, MF_BYPOSITION));
}

}  // namespace
