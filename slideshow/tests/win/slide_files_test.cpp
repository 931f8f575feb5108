// Real files: the folder listing the show plays from, pictures decoded
// without holding the file, and the slide loop drawing a folder's pictures
// with its refresh messages to the player window.
#include "PictureFile.h"
#include "PlayerMessages.h"
#include "WinFolderLister.h"
#include "WindowSlideStage.h"

#include "DrawingSupport.h"
#include "WholeFile.h"

#include <gtest/gtest.h>

#include <vector>

using namespace slideshow;
using namespace slidetest;

namespace {

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

std::vector<std::u16string> Names(CSlideList& list) {
    std::vector<std::u16string> names;
    std::u16string name;
    for (int ok = list.First(name); ok; ok = list.Next(name)) names.push_back(name);
    return names;
}

// A 24-bit BMP whose pixels are never written (the file's length is set):
// it decodes as black and takes no disk.
bool WriteHollowBmp(const std::wstring& path, uint32_t width, uint32_t height) {
    const uint32_t pixels = (width * 3 + 3) / 4 * 4 * height;
    std::string header(54, '\0');
    auto put = [&](size_t at, uint32_t value, int size) {
        for (int i = 0; i < size; ++i) header[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
    };
    header[0] = 'B';
    header[1] = 'M';
    put(2, 54 + pixels, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, pixels, 4);
    if (!WriteBytes(path, header)) return false;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = 54 + static_cast<LONGLONG>(pixels);
    const bool made = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return made;
}

int CountRefreshes(HWND window) {
    int count = 0;
    MSG message;
    while (PeekMessageW(&message, window, WM_PLAYER_REFRESH, WM_PLAYER_REFRESH, PM_REMOVE)) ++count;
    return count;
}

}  // namespace

TEST(SlideFolder, ListsPlainFilesAndPlaysNewestFirst) {
    CScratchFolder folder(L"vimbrel-slides-list");
    ASSERT_TRUE(WriteSolidBmp(folder.File(L"image200512310009.jpg"), 4, 4, 0x808080));
    ASSERT_TRUE(WriteSolidBmp(folder.File(L"image200601010001.jpg"), 4, 4, 0x808080));
    ASSERT_TRUE(WriteSolidBmp(folder.File(L"desktop.ini"), 4, 4, 0x808080));
    SetFileAttributesW(folder.File(L"desktop.ini").c_str(), FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"image209912310001.jpg").c_str(), nullptr));

    CSlideList list;
    CWinFolderLister lister;
    ASSERT_NE(0, list.Build(U16(folder.Path()), lister));
    list.Sort();
    EXPECT_EQ((std::vector<std::u16string>{u"image200601010001.jpg", u"image200512310009.jpg"}), Names(list));
    // The names are bare: the folder became the current directory.
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(0, lstrcmpiW(folder.Path().c_str(), current));
}

TEST(SlideFolder, MissingOrEmptyFolderGivesEmptyList) {
    CScratchFolder folder(L"vimbrel-slides-empty");
    CSlideList list;
    CWinFolderLister lister;
    EXPECT_EQ(0, list.Build(U16(folder.Path()), lister));
    EXPECT_EQ(0, list.Build(U16(folder.File(L"no-such-folder")), lister));
    EXPECT_EQ(0, list.Count());
}

TEST(PictureFile, DecodesWithoutHoldingTheFile) {
    CScratchFolder folder(L"vimbrel-slides-load");
    const std::wstring path = folder.File(L"shot.jpg");  // a BMP: told apart by content
    ASSERT_TRUE(WriteSolidBmp(path, 7, 5, 0x123456));
    auto picture = LoadPictureFile(U16(path));
    ASSERT_TRUE(picture);
    EXPECT_EQ(7u, picture->GetWidth());
    EXPECT_EQ(5u, picture->GetHeight());
    Gdiplus::Color colour;
    picture->GetPixel(3, 2, &colour);
    EXPECT_EQ(0x123456u, colour.GetValue() & 0xFFFFFF);
    EXPECT_TRUE(DeleteFileW(path.c_str()));

    ASSERT_TRUE(WriteBytes(folder.File(L"broken.jpg"), "not a picture at all"));
    EXPECT_FALSE(LoadPictureFile(U16(folder.File(L"broken.jpg"))));
    ASSERT_TRUE(WriteBytes(folder.File(L"empty.jpg"), ""));
    EXPECT_FALSE(LoadPictureFile(U16(folder.File(L"empty.jpg"))));
    EXPECT_FALSE(LoadPictureFile(U16(folder.File(L"missing.jpg"))));
    EXPECT_FALSE(LoadPictureFile(u""));
}

TEST(PictureFile, APictureOverTheProgramsCapIsSkippedNotRead) {
    CScratchFolder folder(L"vimbrel-slides-large");
    // 4096 x 5462 pixels: a picture that decodes, 8 KB over the cap.
    static_assert(54 + 4096ull * 3 * 5462 > vimbrel::ui::kMaxPictureBytes);
    const std::wstring path = folder.File(L"large.bmp");
    ASSERT_TRUE(WriteHollowBmp(path, 4096, 5462));
    EXPECT_FALSE(LoadPictureFile(U16(path)));
}

TEST(SlideLoopOnScreen, ShowsEachPictureSkipsABrokenOneAndWraps) {
    CScratchFolder folder(L"vimbrel-slides-play");
    ASSERT_TRUE(WriteSolidBmp(folder.File(L"c.bmp"), 16, 12, 0xFF0000));
    ASSERT_TRUE(WriteBytes(folder.File(L"b.bmp"), "garbage"));
    ASSERT_TRUE(WriteSolidBmp(folder.File(L"a.bmp"), 16, 12, 0x0000FF));
    CSlideList list;
    CWinFolderLister lister;
    ASSERT_NE(0, list.Build(U16(folder.Path()), lister));
    list.Sort();  // c, b, a

    auto screen = CDibBuffer::Create(nullptr, 64, 48);
    ASSERT_TRUE(screen);
    auto buffers = CScreenBuffers::ForTarget(screen->Dc(), 64, 48);
    ASSERT_TRUE(buffers);
    HWND player = CreateWindowExW(0, L"STATIC", L"player", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, player);
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CWindowSlideStage stage(*buffers, player, event, [] { return 0; });

    // c shows, then b does not decode: the call fails after c.
    EXPECT_EQ(0, PlaySlides(list, 1, 0, stage));
    EXPECT_TRUE(AreaIs(*screen, 24, 18, 16, 12, 0xFF0000));
    EXPECT_EQ(2, CountRefreshes(player));
    // The next call starts past the broken file; a blank screen first.
    EXPECT_EQ(1, PlaySlides(list, 1, 0, stage));
    EXPECT_TRUE(AreaIs(*screen, 24, 18, 16, 12, 0x0000FF));
    EXPECT_EQ(2, CountRefreshes(player));
    // And then the show wraps to the first picture (and stops again at
    // the broken one after it).
    EXPECT_EQ(0, PlaySlides(list, 1, 0, stage));
    EXPECT_TRUE(AreaIs(*screen, 24, 18, 16, 12, 0xFF0000));
    EXPECT_EQ(2, CountRefreshes(player));

    CloseHandle(event);
    DestroyWindow(player);
}
