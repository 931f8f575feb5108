// The media detector stand-in, created by the platform's class id as the
// thumbnail grabber and the engine's playback probe create it: streams,
// types, lengths and frame rates of the suite's own AVI and WAVE files,
// and frames read back byte for byte (Wine's detector reads none). Files it
// does not serve are refused at once.
#include "StandInTestSupport.h"
#include "TestMedia.h"

#include <qedit.h>

using namespace standintest;

namespace {

ComPtr<IMediaDet> Detector() { return Create<IMediaDet>(__uuidof(MediaDet)); }

// BSTR of a test file's name, freed with the holder.
class Name {
public:
    explicit Name(const TestFile& file) : bstr_(SysAllocString(file.Wide().c_str())) {}
    ~Name() { SysFreeString(bstr_); }
    operator BSTR() const { return bstr_; }

private:
    BSTR bstr_;
};

// The packed DIB a frame of the test writer makes at its own size, built
// from the pixel formula: bottom-up rows padded to four bytes.
std::vector<uint8_t> ExpectedDib(int width, int height, int frame) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<uint8_t> dib(40 + stride * height, 0);
    const uint32_t header[10] = {40,
                                 static_cast<uint32_t>(width),
                                 static_cast<uint32_t>(height),
                                 1u | (24u << 16),
                                 0,
                                 static_cast<uint32_t>(stride * height),
                                 0,
                                 0,
                                 0,
                                 0};
    memcpy(dib.data(), header, 40);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                dib[40 + (height - 1 - y) * stride + x * 3 + c] = PixelByte(x, y, c, frame);
            }
        }
    }
    return dib;
}

std::vector<uint8_t> Grab(IMediaDet* detector, double time, LONG width, LONG height) {
    LONG size = 0;
    if (FAILED(detector->GetBitmapBits(time, &size, nullptr, width, height)) || size <= 0) {
        return {};
    }
    std::vector<uint8_t> buffer(static_cast<size_t>(size));
    if (FAILED(detector->GetBitmapBits(time, nullptr, reinterpret_cast<char*>(buffer.data()), width, height))) {
        return {};
    }
    return buffer;
}

}  // namespace

class MediaDetector : public ComTest {};

TEST_F(MediaDetector, ReadsStreamsOfAnAviWithSound) {
    AviShape shape;  // 8 x 6 at 10 frames per second, 5 frames; 400 bytes of sound each
    shape.withAudio = true;
    shape.audioFirst = true;
    TestFile file("streams.avi");
    ASSERT_TRUE(WriteBytes(file.Narrow(), MakeAvi(shape)));
    ComPtr<IMediaDet> detector = Detector();
    ASSERT_TRUE(detector);
    ASSERT_EQ(S_OK, detector->put_Filename(Name(file)));

    LONG streams = 0;
    EXPECT_EQ(S_OK, detector->get_OutputStreams(&streams));
    EXPECT_EQ(2, streams);
    LONG current = -1;
    EXPECT_EQ(S_OK, detector->get_CurrentStream(&current));
    EXPECT_EQ(0, current);

    GUID type = GUID_NULL;
    double seconds = 0;
    double rate = 0;
    EXPECT_EQ(S_OK, detector->get_StreamType(&type));
    EXPECT_EQ(MEDIATYPE_Audio, type);
    EXPECT_EQ(S_OK, detector->get_StreamLength(&seconds));
    EXPECT_DOUBLE_EQ(2000.0 / 16000.0, seconds);
    EXPECT_EQ(VFW_E_INVALIDMEDIATYPE, detector->get_FrameRate(&rate));
    AM_MEDIA_TYPE media{};
    ASSERT_EQ(S_OK, detector->get_StreamMediaType(&media));
    EXPECT_EQ(FORMAT_WaveFormatEx, media.formattype);
    ASSERT_GE(media.cbFormat, sizeof(WAVEFORMATEX));
    EXPECT_EQ(8000u, reinterpret_cast<WAVEFORMATEX*>(media.pbFormat)->nSamplesPerSec);
    dshowbase::FreeMediaType(media);

    ASSERT_EQ(S_OK, detector->put_CurrentStream(1));
    EXPECT_EQ(S_OK, detector->get_StreamType(&type));
    EXPECT_EQ(MEDIATYPE_Video, type);
    BSTR typeText = nullptr;
    EXPECT_EQ(S_OK, detector->get_StreamTypeB(&typeText));
    EXPECT_STREQ(L"{73646976-0000-0010-8000-00AA00389B71}", typeText);
    SysFreeString(typeText);
    EXPECT_EQ(S_OK, detector->get_StreamLength(&seconds));
    EXPECT_DOUBLE_EQ(0.5, seconds);
    EXPECT_EQ(S_OK, detector->get_FrameRate(&rate));
    EXPECT_DOUBLE_EQ(10.0, rate);
    ASSERT_EQ(S_OK, detector->get_StreamMediaType(&media));
    EXPECT_EQ(MEDIASUBTYPE_RGB24, media.subtype);
    ASSERT_EQ(FORMAT_VideoInfo, media.formattype);
    const VIDEOINFOHEADER* info = reinterpret_cast<VIDEOINFOHEADER*>(media.pbFormat);
    EXPECT_EQ(8, info->bmiHeader.biWidth);
    EXPECT_EQ(6, info->bmiHeader.biHeight);
    EXPECT_EQ(24, info->bmiHeader.biBitCount);
    EXPECT_EQ(1000000, info->AvgTimePerFrame);
    dshowbase::FreeMediaType(media);

    EXPECT_EQ(E_INVALIDARG, detector->put_CurrentStream(2));
    EXPECT_EQ(E_INVALIDARG, detector->put_CurrentStream(-1));
    BSTR name = nullptr;
    EXPECT_EQ(S_OK, detector->get_Filename(&name));
    EXPECT_EQ(file.Wide(), std::wstring(name));
    SysFreeString(name);
}

TEST_F(MediaDetector, ReturnsTheFrameAtATimeByteForByte) {
    AviShape shape;
    TestFile file("frames.avi");
    ASSERT_TRUE(WriteBytes(file.Narrow(), MakeAvi(shape)));
    const struct {
        double time;
        int frame;
    } cases[] = {{0.0, 0}, {0.1, 1}, {0.25, 2}, {0.49, 4}, {7.0, 4}};
    for (const auto& expected : cases) {
        // A fresh detector each time: a grab closes the stream questions.
        ComPtr<IMediaDet> detector = Detector();
        ASSERT_EQ(S_OK, detector->put_Filename(Name(file)));
        LONG size = 0;
        ASSERT_EQ(S_OK, detector->GetBitmapBits(expected.time, &size, nullptr, 8, 6));
        EXPECT_EQ(40 + 24 * 6, size);
        EXPECT_EQ(ExpectedDib(8, 6, expected.frame), Grab(detector.Get(), expected.time, 8, 6))
            << "at " << expected.time << " s";
    }
}

TEST_F(MediaDetector, ScalesToTheAskedSize) {
    AviShape shape;  // 8 x 6
    TestFile file("scaled.avi");
    ASSERT_TRUE(WriteBytes(file.Narrow(), MakeAvi(shape)));
    ComPtr<IMediaDet> detector = Detector();
    ASSERT_EQ(S_OK, detector->put_Filename(Name(file)));
    const std::vector<uint8_t> half = Grab(detector.Get(), 0.0, 4, 3);
    ASSERT_EQ(40u + 12u * 3u, half.size());
    EXPECT_EQ(4, *reinterpret_cast<const LONG*>(&half[4]));
    EXPECT_EQ(3, *reinterpret_cast<const LONG*>(&half[8]));
    // Target pixel (x, y) is source pixel (2x, 2y); bottom row first.
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(PixelByte(2 * x, 2 * y, 1, 0), half[40 + (2 - y) * 12 + x * 3 + 1]) << x << "," << y;
        }
    }
}

TEST_F(MediaDetector, TopDownAndPackedFramesComeOutAsDibs) {
    AviShape shape;
    shape.width = 5;  // rows of 15 bytes: packed and padded differ
    shape.height = 4;
    for (int rows = 0; rows < 2; ++rows) {
        shape.topDown = rows == 0;
        shape.paddedRows = rows == 1;
        TestFile file("shapes.avi");
        ASSERT_TRUE(WriteBytes(file.Narrow(), MakeAvi(shape)));
        ComPtr<IMediaDet> detector = Detector();
        ASSERT_EQ(S_OK, detector->put_Filename(Name(file)));
        EXPECT_EQ(ExpectedDib(5, 4, 3), Grab(detector.Get(), 0.3, 5, 4)) << "rows " << rows;
    }
}

TEST_F(MediaDetector, GrabModeClosesStreamQuestionsUntilANewFile) {
    TestFile file("grab.avi");
    ASSERT_TRUE(WriteBytes(file.Narrow(), MakeAvi(AviShape())));
    ComPtr<IMediaDet> detector = Detector();
    ASSERT_EQ(S_OK, detector->put_Filename(Name(file)));
    ASSERT_EQ(S_OK, detector->EnterBitmapGrabMode(0.2));
    LONG streams = 0;
    double seconds = 0;
    EXPECT_EQ(VFW_E_WRONG_STATE, detector->get_OutputStreams(&streams));
    EXPECT_EQ(VFW_E_WRONG_STATE, detector->get_StreamLength(&seconds));
    EXPECT_FALSE(Grab(detector.Get(), 0.2, 8, 6).empty());  // frames still come
    ASSERT_EQ(S_OK, detector->put_Filename(Name(file)));
    EXPECT_EQ(S_OK, detector->get_OutputStreams(&streams));
    EXPECT_EQ(1, streams);
}

TEST_F(MediaDetector, WaveFileHasSoundAndNoFrames) {
    TestFile file("sound.wav");
    ASSERT_TRUE(WriteBytes(file.Narrow(), MakeWav({2, 22050, 88200, 4, 16}, SoundBytes(44100))));
    ComPtr<IMediaDet> detector = Detector();
    ASSERT_EQ(S_OK, detector->put_Filename(Name(file)));
    LONG streams = 0;
    EXPECT_EQ(S_OK, detector->get_OutputStreams(&streams));
    EXPECT_EQ(1, streams);
    GUID type = GUID_NULL;
    EXPECT_EQ(S_OK, detector->get_StreamType(&type));
    EXPECT_EQ(MEDIATYPE_Audio, type);
    double seconds = 0;
    EXPECT_EQ(S_OK, detector->get_StreamLength(&seconds));
    EXPECT_DOUBLE_EQ(0.5, seconds);
    LONG size = 0;
    EXPECT_EQ(VFW_E_INVALIDMEDIATYPE, detector->GetBitmapBits(0.0, &size, nullptr, 8, 6));
    EXPECT_EQ(VFW_E_INVALIDMEDIATYPE, detector->EnterBitmapGrabMode(0.0));
}

TEST_F(MediaDetector, WritesTheFrameAsABitmapFile) {
    TestFile video("bitmap.avi");
    TestFile picture("frame.bmp");
    ASSERT_TRUE(WriteBytes(video.Narrow(), MakeAvi(AviShape())));
    ComPtr<IMediaDet> detector = Detector();
    ASSERT_EQ(S_OK, detector->put_Filename(Name(video)));
    ASSERT_EQ(S_OK, detector->WriteBitmapBits(0.35, 8, 6, Name(picture)));
    const std::vector<uint8_t> bytes = picture.Bytes();
    ASSERT_EQ(14u + 40u + 24u * 6u, bytes.size());
    EXPECT_EQ('B', bytes[0]);
    EXPECT_EQ('M', bytes[1]);
    EXPECT_EQ(bytes.size(), *reinterpret_cast<const uint32_t*>(&bytes[2]));
    EXPECT_EQ(54u, *reinterpret_cast<const uint32_t*>(&bytes[10]));
    EXPECT_EQ(ExpectedDib(8, 6, 3), std::vector<uint8_t>(bytes.begin() + 14, bytes.end()));
}

TEST_F(MediaDetector, RefusesBadRequests) {
    TestFile file("refusals.avi");
    ASSERT_TRUE(WriteBytes(file.Narrow(), MakeAvi(AviShape())));
    ComPtr<IMediaDet> detector = Detector();
    double seconds = 0;
    EXPECT_EQ(E_INVALIDARG, detector->get_StreamLength(&seconds));  // no file yet
    EXPECT_EQ(E_POINTER, detector->put_Filename(nullptr));
    ASSERT_EQ(S_OK, detector->put_Filename(Name(file)));
    LONG size = 0;
    EXPECT_EQ(E_POINTER, detector->GetBitmapBits(0.0, nullptr, nullptr, 8, 6));
    EXPECT_EQ(E_INVALIDARG, detector->GetBitmapBits(0.0, &size, nullptr, 0, 6));
    EXPECT_EQ(E_OUTOFMEMORY, detector->GetBitmapBits(0.0, &size, nullptr, 100000, 100000));
    std::vector<char> buffer(40 + 24 * 6);
    EXPECT_EQ(E_INVALIDARG, detector->GetBitmapBits(-1.0, nullptr, buffer.data(), 8, 6));
    ISampleGrabber* grabber = nullptr;
    EXPECT_EQ(E_NOTIMPL, detector->GetSampleGrabber(&grabber));
    EXPECT_EQ(nullptr, grabber);
}

TEST_F(MediaDetector, RefusesFilesItDoesNotServe) {
    ComPtr<IMediaDet> detector = Detector();
    TestFile missing("missing.avi");
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), detector->put_Filename(Name(missing)));

    TestFile text("notes.txt");
    ASSERT_TRUE(WriteBytes(text.Narrow(), std::vector<uint8_t>(300, 'a')));
    EXPECT_EQ(VFW_E_INVALID_FILE_FORMAT, detector->put_Filename(Name(text)));

    // Compressed pictures are not the bench's to decode.
    AviShape shape;
    shape.compression = 0x47504A4D;  // 'MJPG'
    TestFile compressed("compressed.avi");
    ASSERT_TRUE(WriteBytes(compressed.Narrow(), MakeAvi(shape)));
    EXPECT_EQ(VFW_E_UNSUPPORTED_STREAM, detector->put_Filename(Name(compressed)));

    // A refused file leaves no file behind: the questions are refused too.
    LONG streams = 0;
    EXPECT_EQ(E_INVALIDARG, detector->get_OutputStreams(&streams));
    IUnknown* filter = nullptr;
    EXPECT_EQ(E_NOTIMPL, detector->get_Filter(&filter));
}
