// The cache over real folders: files the tests write, cache files written
// and read back (and damaged), the folder watch and the video workers.
#include "BrowserMessages.h"
#include "CThumbCache.h"
#include "CacheFiles.h"
#include "CacheIndexFormat.h"
#include "MessagePump.h"
#include "TestMedia.h"
#include "ThumbTestSupport.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace vimbrel::browser;
using namespace thumbtest;

namespace {

const Rgb kRed{200, 30, 30};
const Rgb kGreen{30, 180, 60};
const Rgb kBlue{40, 70, 220};
// The sound-file picture's background (resources/browser/draw_browser.py).
const Rgb kAudioBlue{30, 50, 120};
const Rgb kBlank{10, 10, 10};

class ThumbCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        // 640 x 480 red, 480 x 640 green, a sound; files that are no media.
        ASSERT_TRUE(media_.Write(L"wide.bmp", SolidBmp(640, 480, kRed)));
        ASSERT_TRUE(media_.Write(L"tall.bmp", SolidBmp(480, 640, kGreen)));
        ASSERT_TRUE(
            media_.Write(L"sound.wav", standintest::MakeWav({1, 8000, 16000, 2, 16}, standintest::SoundBytes(800))));
        ASSERT_TRUE(media_.Write(L"notes.txt", {'h', 'i'}));
        ASSERT_TRUE(media_.Write(L"image.tif", SolidBmp(4, 4, kRed)));
        ASSERT_TRUE(media_.Write(L"a.b.jpg", SolidBmp(4, 4, kRed)));
    }

    // Opens the cache and, when its list came from the index, takes the
    // folder's own listing once the watch posts it, as the browser does.
    std::unique_ptr<CThumbCache> Open(int kind = 0) {
        auto cache = std::make_unique<CThumbCache>();
        cache->SetDataRoot(root_.Path());
        opened_ = cache->Open(media_.Path().c_str(), 0, 8, log_.Handle(), kind);
        for (DWORD waited = 0; cache->ListFromIndex() && waited < 5000; waited += 20) {
            testbench::PumpFor(20);
            cache->TakeWatchListing();
        }
        EXPECT_FALSE(cache->ListFromIndex());
        return cache;
    }

    // The thumbnail of `index` drawn at (0, 0) of a 100 x 75 canvas.
    struct Thumb {
        int result = -1, width = -1, height = -1;
        std::shared_ptr<CCanvas> canvas;
    };
    static Thumb GetThumb(CThumbCache& cache, long index) {
        Thumb t;
        t.canvas = std::make_shared<CCanvas>(100, 75, kBlank);
        t.result = cache.GetThumb(index, &t.width, &t.height, t.canvas->Dc());
        return t;
    }

    std::vector<std::u16string> Names(const CThumbCache& cache) {
        std::vector<std::u16string> out;
        for (const ThumbEntry& e : cache.Entries()) out.push_back(e.name);
        return out;
    }

    CScratchFolder media_{L"cache-media"};
    CScratchFolder root_{L"cache-root"};
    CMessageLog log_;
    int opened_ = -1;
};

#define EXPECT_NEAR_RGB(want, got) EXPECT_TRUE(Near(want, got)) << "want " << Describe(want) << " got " << Describe(got)

// Sets a file's last write time, so a rewrite can look untouched.
bool SetWriteTime(const std::wstring& path, const FILETIME& time) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool set = SetFileTime(file, nullptr, nullptr, &time) != FALSE;
    CloseHandle(file);
    return set;
}

}  // namespace

TEST_F(ThumbCacheTest, ListsTheMediaFilesNewestNameFirstWithThumbnailsOfTheFirstCells) {
    auto cache = Open();
    ASSERT_EQ(1, opened_);
    EXPECT_EQ((std::vector<std::u16string>{u"wide.bmp", u"tall.bmp", u"sound.wav"}), Names(*cache));
    EXPECT_EQ(3, cache->GetCount());

    const ThumbEntry& wide = cache->Entries()[0];
    EXPECT_EQ(1, wide.made);
    EXPECT_EQ(640, wide.sourceWidth);
    EXPECT_EQ(480, wide.sourceHeight);
    Thumb t = GetThumb(*cache, 0);
    EXPECT_EQ(1, t.result);
    EXPECT_EQ(100, t.width);
    EXPECT_EQ(75, t.height);
    EXPECT_NEAR_RGB(kRed, t.canvas->At(50, 37));
    EXPECT_NEAR_RGB(kRed, t.canvas->At(99, 74));

    // 480 x 640 fits as 56 x 75; only that part is copied out.
    t = GetThumb(*cache, 1);
    EXPECT_EQ(1, t.result);
    EXPECT_EQ(56, t.width);
    EXPECT_EQ(75, t.height);
    EXPECT_NEAR_RGB(kGreen, t.canvas->At(28, 37));
    EXPECT_NEAR_RGB(kGreen, t.canvas->At(55, 74));
    EXPECT_NEAR_RGB(kBlank, t.canvas->At(60, 37));

    // Sounds get the audio picture at 100 x 75.
    t = GetThumb(*cache, 2);
    EXPECT_EQ(1, t.result);
    EXPECT_EQ(100, t.width);
    EXPECT_NEAR_RGB(kAudioBlue, t.canvas->At(50, 37));

    EXPECT_EQ(0, cache->GetClass(0));
    EXPECT_EQ(2, cache->GetClass(2));
    EXPECT_EQ(-1, cache->GetClass(3));
    EXPECT_EQ(-1, cache->GetClass(-1));
    std::wstring path;
    ASSERT_EQ(1, cache->GetPath(1, path));
    EXPECT_EQ(media_.File(L"tall.bmp"), path);
    EXPECT_EQ(0, cache->GetPath(3, path));
    EXPECT_EQ(0, GetThumb(*cache, 3).result);
    EXPECT_EQ(0, cache->MakeThumb(3));
    EXPECT_EQ(1, cache->Close());
    EXPECT_EQ(0, cache->Close());
}

TEST_F(ThumbCacheTest, RefusesBadArguments) {
    CThumbCache cache;
    cache.SetDataRoot(root_.Path());
    EXPECT_EQ(0, cache.Open(nullptr, 0, 8, log_.Handle(), 0));
    EXPECT_EQ(0, cache.Open(media_.Path().c_str(), 0, 8, log_.Handle(), 4));
    EXPECT_EQ(0, cache.Open(media_.Path().c_str(), 0, 8, log_.Handle(), -1));
    // A folder so long that folder + "\" + any name would not fit a path.
    const std::wstring tooLong = L"C:\\" + std::wstring(257, L'x');
    EXPECT_EQ(0, cache.Open(tooLong.c_str(), 0, 8, log_.Handle(), 0));
    EXPECT_EQ(0, cache.GetCount());
}

TEST_F(ThumbCacheTest, CloseWritesTheIndexAndStripThatTheNextOpenReads) {
    auto cache = Open(2);
    ASSERT_EQ(1, opened_);
    ASSERT_EQ(1, cache->Close());
    const std::wstring index = root_.Path() + L"\\config2.cfg";
    const std::wstring strip = root_.Path() + L"\\tmp2.img";
    EXPECT_EQ(cache->IndexPath(), index);

    const std::vector<uint8_t> bytes = FileBytes(index);
    ASSERT_EQ(3 * 552u, bytes.size());
    EXPECT_TRUE(Attributes(index) & FILE_ATTRIBUTE_HIDDEN);
    // Record 1: "tall.bmp", picture, type 1 (bmp), made, 480 x 640, 56 x 75.
    const DecodedIndex decoded = DecodeCacheIndex(bytes.data(), bytes.size());
    ASSERT_EQ(3u, decoded.entries.size());
    EXPECT_EQ(u"tall.bmp", decoded.entries[1].name);
    EXPECT_EQ(1, decoded.entries[1].fileType);
    EXPECT_EQ(1, decoded.entries[1].made);
    EXPECT_EQ(56, decoded.entries[1].thumbWidth);
    EXPECT_EQ(8, decoded.entries[2].fileType);

    // The strip is a JPEG, 100 wide and 75 a record tall.
    const std::vector<uint8_t> jpeg = FileBytes(strip);
    ASSERT_GE(jpeg.size(), 4u);
    EXPECT_EQ(0xFF, jpeg[0]);
    EXPECT_EQ(0xD8, jpeg[1]);
    Gdiplus::Bitmap picture(strip.c_str());
    EXPECT_EQ(100u, picture.GetWidth());
    EXPECT_EQ(225u, picture.GetHeight());

    // New content under the same name keeps the stored thumbnail: it comes
    // from the strip, not from the file.
    ASSERT_TRUE(media_.Write(L"wide.bmp", SolidBmp(640, 480, kGreen)));
    cache = Open(2);
    ASSERT_EQ(1, opened_);
    EXPECT_NEAR_RGB(kRed, GetThumb(*cache, 0).canvas->At(50, 37));
    EXPECT_NEAR_RGB(kGreen, GetThumb(*cache, 1).canvas->At(20, 37));
    cache->Close();

    // A rename drops the old cell and makes one under the new name.
    ASSERT_TRUE(media_.Rename(L"tall.bmp", L"zz.bmp"));
    cache = Open(2);
    ASSERT_EQ(1, opened_);
    EXPECT_EQ((std::vector<std::u16string>{u"zz.bmp", u"wide.bmp", u"sound.wav"}), Names(*cache));
    Thumb t = GetThumb(*cache, 0);
    EXPECT_EQ(56, t.width);
    EXPECT_NEAR_RGB(kGreen, t.canvas->At(20, 37));
    EXPECT_NEAR_RGB(kRed, GetThumb(*cache, 1).canvas->At(50, 37));  // kept across the rescan
    EXPECT_NEAR_RGB(kAudioBlue, GetThumb(*cache, 2).canvas->At(50, 37));
}

TEST_F(ThumbCacheTest, EmptyFolderGivesAnEmptyIndexAndNoStrip) {
    CScratchFolder empty(L"cache-empty");
    CThumbCache cache;
    cache.SetDataRoot(root_.Path());
    ASSERT_EQ(1, cache.Open(empty.Path().c_str(), 0, 8, log_.Handle(), 1));
    EXPECT_EQ(0, cache.GetCount());
    EXPECT_EQ(0, GetThumb(cache, 0).result);
    cache.Close();
    const std::wstring index = root_.Path() + L"\\config1.cfg";
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, Attributes(index));
    EXPECT_TRUE(FileBytes(index).empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, Attributes(root_.Path() + L"\\tmp1.img"));

    // Deleting the last file of a folder empties the list too.
    ASSERT_TRUE(empty.Write(L"only.bmp", SolidBmp(8, 6, kRed)));
    ASSERT_EQ(1, cache.Open(empty.Path().c_str(), 0, 8, log_.Handle(), 1));
    EXPECT_EQ(1, cache.GetCount());
    ASSERT_TRUE(empty.Remove(L"only.bmp"));
    EXPECT_EQ(1, cache.Rescan());
    EXPECT_EQ(0, cache.GetCount());
    cache.Close();
    EXPECT_TRUE(FileBytes(index).empty());
}

TEST_F(ThumbCacheTest, DamagedCacheFilesAreRefusedSafelyAndRebuilt) {
    const std::wstring index = root_.Path() + L"\\config0.cfg";
    const std::wstring strip = root_.Path() + L"\\tmp0.img";
    auto writeValidPair = [&] {
        ASSERT_TRUE(media_.Write(L"wide.bmp", SolidBmp(640, 480, kRed)));
        auto c = Open();
        ASSERT_EQ(1, opened_);
        c->Close();
        // From now on the file is green: a red thumbnail can only have come
        // from the stored strip, a green one was made again.
        ASSERT_TRUE(media_.Write(L"wide.bmp", SolidBmp(640, 480, kGreen)));
    };
    auto wideAfterReopen = [&] {
        auto c = Open();
        EXPECT_EQ(1, opened_);
        EXPECT_EQ((std::vector<std::u16string>{u"wide.bmp", u"tall.bmp", u"sound.wav"}), Names(*c));
        Rgb got = GetThumb(*c, 0).canvas->At(50, 37);
        c->Close();
        return got;
    };
    auto rewriteIndex = [&](const std::vector<uint8_t>& bytes) {
        SetFileAttributesW(index.c_str(), FILE_ATTRIBUTE_NORMAL);
        HANDLE h = CreateFileW(index.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        DWORD written = 0;
        if (!bytes.empty()) WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(h);
    };

    // Untouched files: the stored thumbnail is shown.
    writeValidPair();
    EXPECT_NEAR_RGB(kRed, wideAfterReopen());

    // A partial last record costs that record only.
    writeValidPair();
    std::vector<uint8_t> bytes = FileBytes(index);
    ASSERT_EQ(3 * 552u, bytes.size());
    bytes.resize(2 * 552 + 300);
    rewriteIndex(bytes);
    EXPECT_NEAR_RGB(kRed, wideAfterReopen());

    // A name that leads out of the folder: the whole pair is rebuilt.
    writeValidPair();
    bytes = FileBytes(index);
    const char16_t evil[] = u"..\\w.bmp";
    for (size_t i = 0; i < 9; ++i) {
        bytes[2 * i] = static_cast<uint8_t>(evil[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(evil[i] >> 8);
    }
    rewriteIndex(bytes);
    EXPECT_NEAR_RGB(kGreen, wideAfterReopen());

    // A thumbnail size larger than its cell: that entry is made again.
    writeValidPair();
    bytes = FileBytes(index);
    bytes[540] = 0xF4;  // width 500
    bytes[541] = 0x01;
    rewriteIndex(bytes);
    EXPECT_NEAR_RGB(kGreen, wideAfterReopen());

    // A strip that is no picture, and one too short for the index.
    writeValidPair();
    ASSERT_TRUE(media_.Write(L"junk", std::vector<uint8_t>(5000, 0x5A)));
    ASSERT_TRUE(CopyFileW(media_.File(L"junk").c_str(), strip.c_str(), FALSE));
    EXPECT_NEAR_RGB(kGreen, wideAfterReopen());
    writeValidPair();
    bytes = FileBytes(index);
    bytes.insert(bytes.end(), bytes.begin(), bytes.begin() + 552);  // four records, three cells
    rewriteIndex(bytes);
    EXPECT_NEAR_RGB(kGreen, wideAfterReopen());

    // An index that cannot be read at all.
    writeValidPair();
    SetFileAttributesW(index.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_TRUE(DeleteFileW(index.c_str()));
    EXPECT_NEAR_RGB(kGreen, wideAfterReopen());
}

TEST_F(ThumbCacheTest, FolderWatchPostsRefreshForNewRemovedAndRenamedFiles) {
    auto cache = Open();
    ASSERT_EQ(1, opened_);
    ASSERT_TRUE(cache->WatchRunning());
    testbench::PumpFor(200);
    log_.Clear();

    ASSERT_TRUE(media_.Write(L"new.bmp", SolidBmp(8, 6, kRed)));
    ASSERT_TRUE(log_.WaitFor(WM_BROWSE_REFRESH, 1, 5000));
    EXPECT_EQ(1, cache->Rescan());
    EXPECT_EQ(4, cache->GetCount());
    EXPECT_EQ(u"wide.bmp", cache->Entries()[0].name);
    // "new" sorts below "sound": wide, tall, sound, new.
    EXPECT_EQ(u"new.bmp", cache->Entries()[3].name);
    EXPECT_EQ(0, cache->Entries()[3].made);  // made when its cell is drawn
    EXPECT_EQ(1, cache->Entries()[0].made);  // carried over
    EXPECT_EQ(1, GetThumb(*cache, 3).result);

    testbench::PumpFor(300);
    log_.Clear();
    ASSERT_TRUE(media_.Remove(L"wide.bmp"));
    ASSERT_TRUE(log_.WaitFor(WM_BROWSE_REFRESH, 1, 5000));
    cache->Rescan();
    EXPECT_EQ(3, cache->GetCount());

    testbench::PumpFor(300);
    log_.Clear();
    ASSERT_TRUE(media_.Rename(L"new.bmp", L"renamed.bmp"));
    ASSERT_TRUE(log_.WaitFor(WM_BROWSE_REFRESH, 1, 5000));

    cache->Close();
    EXPECT_FALSE(cache->WatchRunning());
    // Nothing is posted once the cache is closed.
    testbench::PumpFor(200);
    log_.Clear();
    ASSERT_TRUE(media_.Write(L"late.bmp", SolidBmp(8, 6, kRed)));
    testbench::PumpFor(500);
    EXPECT_EQ(0u, log_.Count(WM_BROWSE_REFRESH));
}

TEST_F(ThumbCacheTest, VideoFramesArriveFromWorkersAndSoundOnlyFilesBecomeAudio) {
    CScratchFolder videos(L"cache-videos");
    standintest::AviShape shape;  // 8 x 6 frames
    ASSERT_TRUE(videos.Write(L"video200701010002.avi", standintest::MakeAvi(shape)));
    // A RIFF WAVE under a video's name: the detector finds no video stream.
    ASSERT_TRUE(videos.Write(L"video200701010001.avi",
                             standintest::MakeWav({1, 8000, 16000, 2, 16}, standintest::SoundBytes(800))));
    CThumbCache cache;
    cache.SetDataRoot(root_.Path());
    ASSERT_EQ(1, cache.Open(videos.Path().c_str(), 0, 8, log_.Handle(), 1));
    ASSERT_EQ(2, cache.GetCount());
    EXPECT_EQ(1, cache.GetClass(0));
    EXPECT_EQ(1, cache.GetClass(1));

    // Entry 0 is drawn by its worker and announced with its index.
    ASSERT_TRUE(log_.WaitFor(WM_THUMBNAIL_READY, 1, 20000));
    EXPECT_EQ(std::vector<LPARAM>{0}, log_.Params(WM_THUMBNAIL_READY));
    Thumb t = GetThumb(cache, 0);
    ASSERT_EQ(1, t.result);
    EXPECT_EQ(100, t.width);
    EXPECT_EQ(75, t.height);
    // Frame 0's pixel (x, y) channel c is x*3 + y*7 + c*11: the top-left
    // pixel is (r 22, g 11, b 0), the bottom-right, source (7, 5), is
    // (r 78, g 67, b 56).
    EXPECT_NEAR_RGB((Rgb{22, 11, 0}), t.canvas->At(0, 0));
    EXPECT_NEAR_RGB((Rgb{78, 67, 56}), t.canvas->At(99, 74));

    // Entry 1 has no video stream: the audio picture, browsed as audio.
    ASSERT_TRUE(log_.WaitFor(WM_BROWSE_REFRESH, 1, 20000));
    EXPECT_EQ(2, cache.GetClass(1));
    t = GetThumb(cache, 1);
    EXPECT_EQ(1, t.result);
    EXPECT_NEAR_RGB(kAudioBlue, t.canvas->At(50, 37));
    // A worker counts itself out once its result has been taken, just
    // after the refresh was posted.
    EXPECT_TRUE(testbench::PumpUntil([&] { return cache.VideoJobsRunning() == 0; }, 5000));
    cache.Close();
}

TEST_F(ThumbCacheTest, CloseAndRescanWhileWorkersRunStayWithinTheirOwnData) {
    CScratchFolder videos(L"cache-busy");
    standintest::AviShape shape;
    for (int i = 0; i < 6; ++i) {
        wchar_t name[40];
        wsprintfW(name, L"video20070101000%d.avi", i);
        ASSERT_TRUE(videos.Write(name, standintest::MakeAvi(shape)));
    }
    {
        CThumbCache cache;
        cache.SetDataRoot(root_.Path());
        ASSERT_EQ(1, cache.Open(videos.Path().c_str(), 0, 8, log_.Handle(), 3));
        EXPECT_GT(cache.VideoJobsRunning(), 0);
        // The list is rebuilt under the workers: their results find their
        // entries again by name.
        ASSERT_TRUE(videos.Remove(L"video200701010005.avi"));
        EXPECT_EQ(1, cache.Rescan());
        EXPECT_EQ(5, cache.GetCount());
        ASSERT_TRUE(log_.WaitFor(WM_THUMBNAIL_READY, 1, 20000));
        for (LPARAM index : log_.Params(WM_THUMBNAIL_READY)) {
            ASSERT_GE(index, 0);
            ASSERT_LT(index, 5);
            EXPECT_EQ(1, cache.Entries()[static_cast<size_t>(index)].made);
        }
        const DWORD start = GetTickCount();
        EXPECT_EQ(1, cache.Close());
        EXPECT_LT(GetTickCount() - start, 16000u);
        EXPECT_EQ(0, cache.VideoJobsRunning());
    }
    testbench::PumpFor(100);
}

TEST_F(ThumbCacheTest, APictureThatWouldNotDecodeIsReadAgainOnlyOnceItChanged) {
    // A 40 x 10 BMP whose signature is broken: no decoder takes it.
    std::vector<uint8_t> good = SolidBmp(40, 10, kRed);
    std::vector<uint8_t> broken = good;
    broken[0] = 'X';
    ASSERT_TRUE(media_.Write(L"broken.bmp", broken));
    const std::wstring path = media_.File(L"broken.bmp");
    WIN32_FILE_ATTRIBUTE_DATA before = {};
    ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &before));
    std::unique_ptr<CThumbCache> cache = Open();
    ASSERT_EQ(1, opened_);
    // wide, tall, sound, broken in descending name order.
    ASSERT_EQ(u"broken.bmp", cache->Entries()[3].name);
    EXPECT_EQ(0, GetThumb(*cache, 3).result);

    // Mended under the same size and time: taken as the same file.
    ASSERT_TRUE(media_.Write(L"broken.bmp", good));
    ASSERT_TRUE(SetWriteTime(path, before.ftLastWriteTime));
    EXPECT_EQ(0, GetThumb(*cache, 3).result);

    FILETIME later = before.ftLastWriteTime;
    later.dwHighDateTime += 1;
    ASSERT_TRUE(SetWriteTime(path, later));
    const Thumb t = GetThumb(*cache, 3);
    ASSERT_EQ(1, t.result);
    EXPECT_EQ(100, t.width);
    EXPECT_EQ(25, t.height);
    EXPECT_NEAR_RGB(kRed, t.canvas->At(50, 12));
}

TEST_F(ThumbCacheTest, AVideoFoundWithoutPicturesIsAskedAgainOnceItChangesAndAtTheNextStart) {
    CScratchFolder videos(L"cache-growing");
    // A recording that holds only sound so far.
    ASSERT_TRUE(videos.Write(L"video200701010001.avi",
                             standintest::MakeWav({1, 8000, 16000, 2, 16}, standintest::SoundBytes(800))));
    {
        CThumbCache cache;
        cache.SetDataRoot(root_.Path());
        ASSERT_EQ(1, cache.Open(videos.Path().c_str(), 0, 8, log_.Handle(), 1));
        ASSERT_TRUE(log_.WaitFor(WM_BROWSE_REFRESH, 1, 20000));
        EXPECT_EQ(2, cache.GetClass(0));
        EXPECT_EQ(1, cache.Close());
    }
    // The index keeps the name's class and no thumbnail.
    const std::vector<uint8_t> index = FileBytes(root_.File(L"config1.cfg"));
    const DecodedIndex stored = DecodeCacheIndex(index.data(), index.size());
    ASSERT_EQ(1u, stored.entries.size());
    EXPECT_EQ(1, stored.entries[0].mediaClass);
    EXPECT_EQ(0, stored.entries[0].made);

    // An index of an earlier run that kept it as a sound with the sound
    // picture is asked again all the same.
    ThumbEntry asSound = stored.entries[0];
    asSound.mediaClass = 2;
    asSound.made = 1;
    asSound.thumbWidth = 100;
    asSound.thumbHeight = 75;
    ASSERT_TRUE(root_.Write(L"config1.cfg", EncodeCacheIndex({asSound})));
    log_.Clear();
    CThumbCache cache;
    cache.SetDataRoot(root_.Path());
    ASSERT_EQ(1, cache.Open(videos.Path().c_str(), 0, 8, log_.Handle(), 1));
    EXPECT_EQ(1, cache.GetClass(0));
    EXPECT_EQ(0, cache.Entries()[0].made);
    // The folder's listing (the list came from the index) and the verdict.
    ASSERT_TRUE(log_.WaitFor(WM_BROWSE_REFRESH, 2, 20000));
    EXPECT_EQ(2, cache.GetClass(0));
    // The recording went on: its first frame replaces the sound picture.
    standintest::AviShape shape;
    ASSERT_TRUE(videos.Write(L"video200701010001.avi", standintest::MakeAvi(shape)));
    EXPECT_EQ(0, GetThumb(cache, 0).result);
    EXPECT_EQ(1, cache.GetClass(0));
    ASSERT_TRUE(log_.WaitFor(WM_THUMBNAIL_READY, 1, 20000));
    const Thumb t = GetThumb(cache, 0);
    ASSERT_EQ(1, t.result);
    EXPECT_NEAR_RGB((Rgb{22, 11, 0}), t.canvas->At(0, 0));
    cache.Close();
}

TEST_F(ThumbCacheTest, AVideoJobThatTimedOutInTheQueueLetsALaterDrawStartAnother) {
    CScratchFolder videos(L"cache-queue");
    standintest::AviShape shape;
    ASSERT_TRUE(videos.Write(L"video200701010001.avi", standintest::MakeAvi(shape)));
    // This test holds the turn of every video worker in the process.
    HANDLE turn = CreateEventW(nullptr, TRUE, TRUE, L"Zavu SnapFrame Thread Event");
    ASSERT_TRUE(turn);
    ResetEvent(turn);
    CThumbCache cache;
    cache.SetDataRoot(root_.Path());
    ASSERT_EQ(1, cache.Open(videos.Path().c_str(), 0, 8, log_.Handle(), 1));
    EXPECT_EQ(1, cache.VideoJobsRunning());
    testbench::PumpUntil([&] { return cache.VideoJobsRunning() == 0; }, 20000);
    testbench::PumpFor(100);
    SetEvent(turn);
    CloseHandle(turn);
    ASSERT_EQ(0, cache.VideoJobsRunning());
    EXPECT_EQ(0u, log_.Count(WM_THUMBNAIL_READY));

    EXPECT_EQ(0, GetThumb(cache, 0).result);
    ASSERT_TRUE(log_.WaitFor(WM_THUMBNAIL_READY, 1, 20000));
    EXPECT_EQ(1, GetThumb(cache, 0).result);
    cache.Close();
}

namespace {

// A file of `size` bytes that takes no disk: its length set, nothing written.
bool WriteHollowFile(const std::wstring& path, uint64_t size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool made = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return made;
}

}  // namespace

TEST(CacheFilesTest, AFileTooLargeForAThumbnailOrForTheProcessIsRefusedNotThrown) {
    CScratchFolder folder(L"cache-large");
    std::vector<uint8_t> bytes{1, 2, 3};

    // 100 MB: more than any picture a thumbnail is made from.
    ASSERT_TRUE(WriteHollowFile(folder.File(L"large.bmp"), 100u << 20));
    EXPECT_FALSE(ReadWholeFile(folder.File(L"large.bmp"), bytes, kMaxPictureBytes));
    EXPECT_TRUE(bytes.empty());

    // 3 GB under a caller's limit above it: more than a 32-bit process can
    // hold in one piece (the shipped build; a 64-bit one could hold it).
    if constexpr (sizeof(void*) == 4) {
        ASSERT_TRUE(WriteHollowFile(folder.File(L"huge.bmp"), uint64_t{3} << 30));
        bool read = true;
        EXPECT_NO_THROW(read = ReadWholeFile(folder.File(L"huge.bmp"), bytes, uint64_t{4} << 30));
        EXPECT_FALSE(read);
        EXPECT_TRUE(bytes.empty());
    }
}

TEST_F(ThumbCacheTest, AStripThatCannotBeReplacedLeavesTheOldPairNotANewIndexBesideIt) {
    const std::wstring strip = root_.Path() + L"\\tmp0.img";
    auto cache = Open();
    ASSERT_EQ(1, opened_);
    cache->Close();  // wide (red), tall (green), sound: three cells
    // As many names as before, but others: every cell of the old strip
    // would sit beside another file's record.
    ASSERT_TRUE(media_.Remove(L"sound.wav"));
    ASSERT_TRUE(media_.Write(L"xx.bmp", SolidBmp(640, 480, kBlue)));
    {
        // The strip cannot be written while the cache writes its pair, as
        // when the program stops between the two files.
        HANDLE held = CreateFileW(strip.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        cache = Open();
        ASSERT_EQ(1, opened_);
        EXPECT_EQ((std::vector<std::u16string>{u"xx.bmp", u"wide.bmp", u"tall.bmp"}), Names(*cache));
        cache->Close();
        CloseHandle(held);
    }
    cache = Open();
    ASSERT_EQ(1, opened_);
    EXPECT_NEAR_RGB(kBlue, GetThumb(*cache, 0).canvas->At(50, 37));
    EXPECT_NEAR_RGB(kRed, GetThumb(*cache, 1).canvas->At(50, 37));
    EXPECT_NEAR_RGB(kGreen, GetThumb(*cache, 2).canvas->At(20, 37));
}

TEST_F(ThumbCacheTest, AFolderLongerThanAStripFileHoldsKeepsTheFirstCellsAndABoundedNumberInMemory) {
    // 1,100 pictures: more than a JPEG strip can hold (873 cells of 75
    // rows) and more than the cache keeps in memory.
    CScratchFolder many(L"cache-many");
    const std::vector<uint8_t> red = SolidBmp(8, 6, kRed);
    for (int i = 0; i < 1100; ++i) {
        wchar_t name[16];
        wsprintfW(name, L"p%04d.bmp", i);
        ASSERT_TRUE(many.Write(name, red));
    }
    auto open = [&] {
        auto c = std::make_unique<CThumbCache>();
        c->SetDataRoot(root_.Path());
        EXPECT_EQ(1, c->Open(many.Path().c_str(), 0, 8, log_.Handle(), 3));
        return c;
    };
    auto cache = open();
    ASSERT_EQ(1100, cache->GetCount());
    // Every cell drawn once, top to bottom: the first ones drawn are let go
    // again, and are made anew when they come back into view.
    for (long i = 0; i < 1100; ++i) ASSERT_EQ(1, GetThumb(*cache, i).result) << i;
    const auto made = [&] {
        return std::count_if(cache->Entries().begin(), cache->Entries().end(),
                             [](const ThumbEntry& e) { return e.made != 0; });
    };
    EXPECT_LT(made(), 1100);
    EXPECT_EQ(1, cache->Entries()[1099].made);
    EXPECT_EQ(0, cache->Entries()[0].made);
    for (long i = 0; i < 873; ++i) ASSERT_EQ(1, GetThumb(*cache, i).result) << i;
    EXPECT_LT(made(), 1100);
    cache->Close();

    // The strip file holds the first 873 cells; the next start shows them
    // from there, not from the files, which are green now.
    EXPECT_EQ(873u * 75, Gdiplus::Bitmap((root_.Path() + L"\\tmp3.img").c_str()).GetHeight());
    const std::vector<uint8_t> green = SolidBmp(8, 6, kGreen);
    for (const wchar_t* name : {L"p1099.bmp", L"p0227.bmp", L"p0226.bmp"}) ASSERT_TRUE(many.Write(name, green));
    cache = open();
    ASSERT_EQ(u"p0227.bmp", cache->Entries()[872].name);
    EXPECT_NEAR_RGB(kRed, GetThumb(*cache, 0).canvas->At(50, 37));
    EXPECT_NEAR_RGB(kRed, GetThumb(*cache, 872).canvas->At(50, 37));
    EXPECT_EQ(0, cache->Entries()[873].made);
    EXPECT_NEAR_RGB(kGreen, GetThumb(*cache, 873).canvas->At(50, 37));
    cache->Close();
}
