// snapframe.dll as the thumbnail cache uses it: a real AVI written by the
// test, read through the media detector of the test prefix (the bench's
// stand-in, which scales by nearest neighbour), drawn into a DIB section
// whose pixels are then compared with the AVI's own pixel formula.
#include "FrameCanvas.h"
#include "SnapFrameLibrary.h"
#include "TestMedia.h"

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace snapframetest;
using standintest::AviShape;
using standintest::PixelByte;

namespace {

constexpr uint8_t kUntouched = 0x5A;

// A file beside the test program, removed before and after the test; its
// full path as a real BSTR for the calls.
class CMediaFile {
public:
    CMediaFile(const std::string& name, const std::vector<uint8_t>& bytes) : narrow_(name) {
        DeleteFileA(narrow_.c_str());
        written_ = standintest::WriteBytes(narrow_, bytes);
        wchar_t full[MAX_PATH] = {};
        const std::wstring wide(name.begin(), name.end());
        GetFullPathNameW(wide.c_str(), MAX_PATH, full, nullptr);
        path_ = SysAllocString(full);
    }
    ~CMediaFile() {
        SysFreeString(path_);
        DeleteFileA(narrow_.c_str());
    }
    CMediaFile(const CMediaFile&) = delete;
    CMediaFile& operator=(const CMediaFile&) = delete;

    bool Written() const { return written_; }
    BSTR Path() const { return path_; }

private:
    std::string narrow_;
    bool written_ = false;
    BSTR path_ = nullptr;
};

std::vector<uint8_t> Text(const char* text) { return std::vector<uint8_t>(text, text + strlen(text)); }

// Runs body on a thread of its own and waits for it.
void OnThread(const std::function<void()>& body) {
    struct Start {
        static DWORD WINAPI Run(void* context) {
            (*static_cast<const std::function<void()>*>(context))();
            return 0;
        }
    };
    HANDLE thread = CreateThread(nullptr, 0, &Start::Run, const_cast<std::function<void()>*>(&body), 0, nullptr);
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 30000));
    CloseHandle(thread);
}

class SnapFrameTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(library_.IsBound()); }

    // SnapFrame into the canvas; found starts at -1 so that an untouched
    // value shows.
    int Snap(BSTR name, CFrameCanvas& canvas, long width, long height, int* found) {
        *found = -1;
        HDC dc = canvas.Context();
        return library_.SnapFrame(name, &dc, width, height, found);
    }

    // Every pixel outside the top-left width x height still has the fill.
    static void ExpectUntouchedOutside(const CFrameCanvas& canvas, int canvasW, int canvasH, int width, int height) {
        for (int y = 0; y < canvasH; ++y) {
            for (int x = 0; x < canvasW; ++x) {
                if (x < width && y < height) {
                    continue;
                }
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(kUntouched, canvas.Channel(x, y, c)) << x << "," << y << " channel " << c;
                }
            }
        }
    }

    // The top-left width x height shows the first frame, target pixel
    // (x, y) being source pixel (x * scale, y * scale) with scale as a
    // fraction: 1/1 at the frame's own size, 2/1 halved, 1/2 doubled.
    static void ExpectFirstFrame(const CFrameCanvas& canvas, int width, int height, int scaleNum = 1,
                                 int scaleDen = 1) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(PixelByte(x * scaleNum / scaleDen, y * scaleNum / scaleDen, c, 0),
                              canvas.Channel(x, y, c))
                        << x << "," << y << " channel " << c;
                }
            }
        }
    }

    CSnapFrameLibrary library_;
};

}  // namespace

TEST_F(SnapFrameTest, DrawsTheFirstFrameAtItsOwnSizeAtTheTopLeft) {
    AviShape shape;  // 8 x 6, five frames that all differ (PixelByte moves by 29 a frame)
    CMediaFile file("snap-native.avi", standintest::MakeAvi(shape));
    ASSERT_TRUE(file.Written());
    CFrameCanvas canvas(10, 8);
    ASSERT_TRUE(canvas.Ready());
    canvas.Fill(kUntouched);

    int found = -1;
    ASSERT_EQ(1, Snap(file.Path(), canvas, 8, 6, &found));
    EXPECT_EQ(1, found);
    ExpectFirstFrame(canvas, 8, 6);
    ExpectUntouchedOutside(canvas, 10, 8, 8, 6);
}

TEST_F(SnapFrameTest, ScalesTheFrameToTheAskedSize) {
    AviShape shape;  // 8 x 6
    CMediaFile file("snap-scaled.avi", standintest::MakeAvi(shape));
    ASSERT_TRUE(file.Written());

    // Half size: target pixel (x, y) shows source pixel (2x, 2y).
    CFrameCanvas half(6, 5);
    half.Fill(kUntouched);
    int found = -1;
    ASSERT_EQ(1, Snap(file.Path(), half, 4, 3, &found));
    EXPECT_EQ(1, found);
    ExpectFirstFrame(half, 4, 3, 2, 1);
    ExpectUntouchedOutside(half, 6, 5, 4, 3);

    // Double size: each source pixel becomes a 2 x 2 block.
    CFrameCanvas twice(16, 12);
    twice.Fill(kUntouched);
    ASSERT_EQ(1, Snap(file.Path(), twice, 16, 12, &found));
    EXPECT_EQ(1, found);
    ExpectFirstFrame(twice, 16, 12, 1, 2);
}

TEST_F(SnapFrameTest, OddWidthsKeepTheirRowsApart) {
    // 5 pixels make 15-byte rows, padded to 16 in a DIB: a drawing that
    // ignored the padding would shear every row after the first.
    AviShape shape;
    shape.width = 5;
    shape.height = 3;
    for (int variant = 0; variant < 2; ++variant) {
        shape.paddedRows = variant == 0;
        shape.topDown = variant == 1;
        CMediaFile file("snap-odd.avi", standintest::MakeAvi(shape));
        ASSERT_TRUE(file.Written());
        CFrameCanvas canvas(7, 5);
        canvas.Fill(kUntouched);
        int found = -1;
        ASSERT_EQ(1, Snap(file.Path(), canvas, 5, 3, &found)) << "variant " << variant;
        EXPECT_EQ(1, found);
        ExpectFirstFrame(canvas, 5, 3);
        ExpectUntouchedOutside(canvas, 7, 5, 5, 3);
    }
}

TEST_F(SnapFrameTest, TakesTheVideoStreamWhenSoundComesFirst) {
    AviShape shape;
    shape.withAudio = true;
    shape.audioFirst = true;
    CMediaFile file("snap-soundfirst.avi", standintest::MakeAvi(shape));
    ASSERT_TRUE(file.Written());
    CFrameCanvas canvas(8, 6);
    canvas.Fill(kUntouched);
    int found = -1;
    ASSERT_EQ(1, Snap(file.Path(), canvas, 8, 6, &found));
    EXPECT_EQ(1, found);
    ExpectFirstFrame(canvas, 8, 6);
}

TEST_F(SnapFrameTest, SoundOnlyFilesAreFoundWithoutVideoAndNothingIsDrawn) {
    const standins::PcmFormat format{1, 8000, 16000, 2, 16};
    CMediaFile file("snap-sound.wav", standintest::MakeWav(format, standintest::SoundBytes(1600)));
    ASSERT_TRUE(file.Written());
    CFrameCanvas canvas(8, 6);
    canvas.Fill(kUntouched);
    int found = -1;
    EXPECT_EQ(1, Snap(file.Path(), canvas, 8, 6, &found));
    EXPECT_EQ(0, found);
    ExpectUntouchedOutside(canvas, 8, 6, 0, 0);

    // Nothing is drawn, so no device context is needed either.
    found = -1;
    EXPECT_EQ(1, library_.SnapFrame(file.Path(), nullptr, 100, 75, &found));
    EXPECT_EQ(0, found);
}

TEST_F(SnapFrameTest, FilesTheDetectorCannotReadFail) {
    CMediaFile text("snap-notmedia.avi", Text("this is a plain text file, not a RIFF file\r\n"));
    ASSERT_TRUE(text.Written());
    AviShape compressed;
    compressed.compression = 0x47504A4D;  // 'MJPG': pictures the detector cannot decode
    CMediaFile mjpg("snap-mjpg.avi", standintest::MakeAvi(compressed));
    ASSERT_TRUE(mjpg.Written());
    BSTR missing = SysAllocString(L"C:\\no such folder\\no such file.avi");
    BSTR empty = SysAllocString(L"");

    CFrameCanvas canvas(8, 6);
    canvas.Fill(kUntouched);
    int found = -1;
    for (BSTR name : {text.Path(), mjpg.Path(), missing, empty}) {
        EXPECT_EQ(0, Snap(name, canvas, 8, 6, &found)) << name;
        EXPECT_NE(1, found) << name;
    }
    ExpectUntouchedOutside(canvas, 8, 6, 0, 0);
    SysFreeString(missing);
    SysFreeString(empty);
}

TEST_F(SnapFrameTest, RefusesBadArgumentsWithoutTouchingAnything) {
    AviShape shape;
    CMediaFile file("snap-args.avi", standintest::MakeAvi(shape));
    ASSERT_TRUE(file.Written());
    CFrameCanvas canvas(8, 6);
    canvas.Fill(kUntouched);
    HDC dc = canvas.Context();
    HDC noContext = nullptr;
    int found = -1;

    EXPECT_EQ(0, library_.SnapFrame(nullptr, &dc, 8, 6, &found));
    EXPECT_EQ(0, library_.SnapFrame(file.Path(), &dc, 8, 6, nullptr));
    EXPECT_EQ(0, library_.SnapFrame(file.Path(), &dc, -1, 6, &found));
    EXPECT_EQ(0, library_.SnapFrame(file.Path(), &dc, 8, -1, &found));
    // A video with nowhere to draw it is a failure, not a crash.
    EXPECT_EQ(0, library_.SnapFrame(file.Path(), nullptr, 8, 6, &found));
    EXPECT_EQ(0, library_.SnapFrame(file.Path(), &noContext, 8, 6, &found));
    EXPECT_EQ(-1, found);
    // Zero sizes reach the detector, which decides; the bench's detector
    // makes no frame of no pixels.
    EXPECT_EQ(0, library_.SnapFrame(file.Path(), &dc, 0, 0, &found));
    EXPECT_NE(1, found);
    ExpectUntouchedOutside(canvas, 8, 6, 0, 0);
}

TEST_F(SnapFrameTest, TakesAPlainWideStringAsTheName) {
    // The thumbnail cache passes an ordinary terminated string, not a BSTR:
    // whatever lies before it is no length prefix.
    AviShape shape;
    CMediaFile file("snap-plain.avi", standintest::MakeAvi(shape));
    ASSERT_TRUE(file.Written());
    struct {
        uint32_t notALength;
        wchar_t text[MAX_PATH];
    } plain{2, {}};
    wcscpy(plain.text, file.Path());
    CFrameCanvas canvas(8, 6);
    int found = -1;
    EXPECT_EQ(1, Snap(plain.text, canvas, 8, 6, &found));
    EXPECT_EQ(1, found);
    EXPECT_EQ(PixelByte(5, 4, 1, 0), canvas.Channel(5, 4, 1));
}

TEST_F(SnapFrameTest, WorksOnThreadsWhateverTheirComStateAndLeavesItAsItWas) {
    AviShape shape;
    CMediaFile file("snap-threads.avi", standintest::MakeAvi(shape));
    ASSERT_TRUE(file.Written());

    // A worker that never initialised COM, as the thumbnail cache's are;
    // afterwards COM is not left initialised on it.
    OnThread([&] {
        CFrameCanvas canvas(8, 6);
        int found = -1;
        EXPECT_EQ(1, Snap(file.Path(), canvas, 8, 6, &found));
        EXPECT_EQ(1, found);
        EXPECT_EQ(PixelByte(1, 1, 0, 0), canvas.Channel(1, 1, 0));
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        EXPECT_EQ(S_OK, hr) << "a fresh initialisation, so SnapFrame left none behind";
        if (SUCCEEDED(hr)) {
            CoUninitialize();
        }
    });

    // Threads already in either apartment keep their own initialisation.
    for (DWORD model : {static_cast<DWORD>(COINIT_MULTITHREADED), static_cast<DWORD>(COINIT_APARTMENTTHREADED)}) {
        OnThread([&] {
            ASSERT_EQ(S_OK, CoInitializeEx(nullptr, model));
            CFrameCanvas canvas(8, 6);
            int found = -1;
            EXPECT_EQ(1, Snap(file.Path(), canvas, 8, 6, &found)) << model;
            EXPECT_EQ(1, found);
            const HRESULT again = CoInitializeEx(nullptr, model);
            EXPECT_EQ(S_FALSE, again) << "still initialised in the same model " << model;
            if (SUCCEEDED(again)) {
                CoUninitialize();
            }
            CoUninitialize();
        });
    }
}
