// Capture names and path operations on real folders of the test prefix.
#include "CaptureFiles.h"
#include "DataRoot.h"
#include "FilePaths.h"
#include "FilesTestSupport.h"
#include "MediaLocations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vimbrel::controller {
namespace {

using testing::CFixedClock;
using testing::CScratchFolder;

const CFixedClock kJuly4({2026, 7, 4, 9, 15});
const CaptureFileTypes kJpg{1, 0, 0};

TEST(CaptureNamesOnDisk, ContinueAfterTheHighestNumberOfTheDay) {
    CScratchFolder folder(L"vb_capture_day");
    folder.Touch(L"image202607040001.jpg");
    folder.Touch(L"image202607040002.bmp");
    folder.Touch(L"IMAGE202607040007.JPG");
    folder.Touch(L"image202607040005_2.jpg");
    folder.Touch(L"image202607039999.jpg");  // the day before
    folder.Touch(L"video202607040050.avi");
    // A folder of a capture's name blocks that name as well.
    CreateDirectoryW(folder.File(L"image202607040008").c_str(), nullptr);

    wchar_t before[MAX_PATH], after[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    EXPECT_EQ(FindHighestCounter(folder.Path().c_str(), L"image20260704"), 8);
    EXPECT_EQ(FindHighestCounter(folder.Path().c_str(), L"Video20260704"), 50);
    EXPECT_EQ(FindHighestCounter(folder.Path().c_str(), L"image20260705"), 0);
    GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_STREQ(before, after) << "the search must not move the current folder";

    wchar_t name[kCaptureNameCapacity];
    ASSERT_EQ(MakeCaptureName(kMediaImage, folder.Path().c_str(), kJpg, kJuly4, name), 1);
    EXPECT_EQ(std::wstring(name), folder.File(L"image202607040009.jpg"));
    ASSERT_EQ(MakeCaptureName(kMediaVideo, folder.Path().c_str(), CaptureFileTypes{0, 2, 0}, kJuly4, name), 1);
    EXPECT_EQ(std::wstring(name), folder.File(L"video202607040051.avi"));
}

TEST(CaptureNamesOnDisk, FullDayAndMissingFolder) {
    CScratchFolder folder(L"vb_capture_full");
    folder.Touch(L"image202607049999.jpg");
    wchar_t name[kCaptureNameCapacity] = L"stale";
    EXPECT_EQ(MakeCaptureName(kMediaImage, folder.Path().c_str(), kJpg, kJuly4, name), 0);
    EXPECT_STREQ(name, L"");
    // Audio is not held back by the pictures.
    EXPECT_EQ(MakeCaptureName(kMediaAudio, folder.Path().c_str(), CaptureFileTypes{0, 0, 2}, kJuly4, name), 1);
    EXPECT_EQ(std::wstring(name), folder.File(L"audio202607040001.wav"));

    std::wstring missing = folder.File(L"no such folder");
    EXPECT_EQ(FindHighestCounter(missing.c_str(), L"image20260704"), 0);
    ASSERT_EQ(MakeCaptureName(kMediaImage, missing.c_str(), kJpg, kJuly4, name), 1);
    EXPECT_EQ(std::wstring(name), missing + L"\\image202607040001.jpg");

    EXPECT_EQ(MakeCaptureName(kMediaImage, folder.Path().c_str(), kJpg, kJuly4, nullptr), 0);
    EXPECT_EQ(MakeCaptureName(kMediaImage, nullptr, kJpg, kJuly4, name), 0);
    EXPECT_EQ(MakeCaptureName(4, folder.Path().c_str(), kJpg, kJuly4, name), 0);
}

TEST(CopyNamesOnDisk, AFileHeldOpenByAnotherProgramStillCountsAsTaken) {
    CScratchFolder folder(L"vb_copy_names");
    folder.Touch(L"a.jpg");
    folder.Touch(L"a_2.jpg");
    HANDLE held = CreateFileW(folder.File(L"a_2.jpg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    auto copy = NextFreeCopyName(testing::AsU16String(folder.File(L"a.jpg")), PathExists);
    CloseHandle(held);
    ASSERT_TRUE(copy);
    EXPECT_EQ(std::wstring(copy->begin(), copy->end()), folder.File(L"a_3.jpg"));
}

TEST(EngineAnsiPath, ExactAnsiTextThatFitsOrNothing) {
    char out[kCaptureNameCapacity];
    ASSERT_EQ(ToEngineAnsiPath(L"C:\\Data\\image202607040001.jpg", out), 1);
    EXPECT_STREQ(out, "C:\\Data\\image202607040001.jpg");
    // The prefix runs in code page 1252: e-acute is one byte, Cyrillic has
    // no form there and must not turn into "?".
    ASSERT_EQ(ToEngineAnsiPath(L"C:\\Caf\u00e9\\a.jpg", out), 1);
    EXPECT_STREQ(out, "C:\\Caf\xe9\\a.jpg");
    EXPECT_EQ(ToEngineAnsiPath(L"C:\\\u0436\\a.jpg", out), 0);
    EXPECT_STREQ(out, "");

    std::wstring longest(127, L'x');
    EXPECT_EQ(ToEngineAnsiPath(longest.c_str(), out), 1);
    EXPECT_EQ(std::string(out).size(), 127u);
    EXPECT_EQ(ToEngineAnsiPath((longest + L"x").c_str(), out), 0);
    EXPECT_EQ(ToEngineAnsiPath(L"", out), 0);
    EXPECT_EQ(ToEngineAnsiPath(L"a", nullptr), 0);
}

// The engine's CaptureImage as the monitor picture sees it.
std::vector<std::string> g_captured;
int g_engineAnswer = 1;
int __cdecl RecordCapture(const char* path) {
    g_captured.emplace_back(path ? path : "(null)");
    return g_engineAnswer;
}

TEST(MonitorPicture, NamedInTheMonitorFolderOnlyWhileMonitoring) {
    CScratchFolder folder(L"vb_monitor");
    std::string folderAnsi(folder.Path().begin(), folder.Path().end());
    MonitorCapture capture;
    capture.modeId = 5;
    capture.captureState = 4;
    capture.captureImage = &RecordCapture;
    capture.monitorFolder = folder.Path().c_str();
    capture.types = CaptureFileTypes{3, 0, 0};
    g_captured.clear();
    g_engineAnswer = 1;

    EXPECT_EQ(CaptureMonitorImage(capture, kJuly4), 1);
    folder.Touch(L"monitor202607040001.png");
    g_engineAnswer = 0;
    EXPECT_EQ(CaptureMonitorImage(capture, kJuly4), 0);
    ASSERT_EQ(g_captured.size(), 2u);
    EXPECT_EQ(g_captured[0], folderAnsi + "\\monitor202607040001.png");
    EXPECT_EQ(g_captured[1], folderAnsi + "\\monitor202607040002.png");

    g_captured.clear();
    MonitorCapture imageMode = capture;
    imageMode.modeId = 3;
    MonitorCapture idle = capture;
    idle.captureState = 0;
    MonitorCapture unbound = capture;
    unbound.captureImage = nullptr;
    EXPECT_EQ(CaptureMonitorImage(imageMode, kJuly4), 0);
    EXPECT_EQ(CaptureMonitorImage(idle, kJuly4), 0);
    EXPECT_EQ(CaptureMonitorImage(unbound, kJuly4), 0);
    // A full day gives no picture rather than one with an empty path.
    folder.Touch(L"monitor202607049999.png");
    EXPECT_EQ(CaptureMonitorImage(capture, kJuly4), 0);
    EXPECT_TRUE(g_captured.empty());
}

TEST(ProgramAndMediaFolders, ProgramFolderAndFoldersUnderTheDataRoot) {
    wchar_t folder[kPathCapacity];
    EXPECT_EQ(GetModuleFolder(nullptr), 0);
    ASSERT_EQ(GetModuleFolder(folder), 1);
    std::wstring program(folder);
    ASSERT_FALSE(program.empty());
    EXPECT_NE(program.back(), L'\\');
    EXPECT_TRUE(testing::FileExistsW(program + L"\\controller_files_test.exe"));

    // The prefix reports Windows 7: the media folders lie under the common
    // application-data folder.
    std::wstring video = MediaFolder(kMediaVideo);
    EXPECT_EQ(video, CommonAppDataFolder() + L"\\Zavu\\Vimbrel2\\Vimbrel\\Video");
    EXPECT_EQ(MediaFolder(4), L"");

    std::array<std::wstring, 4> made;
    ASSERT_TRUE(CreateMediaFolders(made));
    EXPECT_EQ(made[kMediaVideo], video);
    for (const std::wstring& path : made) {
        DWORD attributes = GetFileAttributesW(path.c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << std::string(path.begin(), path.end());
        EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
}

}  // namespace
}  // namespace vimbrel::controller
