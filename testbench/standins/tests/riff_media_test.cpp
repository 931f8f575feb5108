// The RIFF reader behind the bench's media detector, over AVI and WAVE files
// written by the tests' own writer, including the shapes real writers
// produce (record lists, index chunks, OpenDML extensions) and broken files.
#include "RiffMedia.h"
#include "TestMedia.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace standins;
using standintest::AviShape;
using standintest::MakeAvi;

namespace {

ParseStatus Parse(const std::vector<uint8_t>& bytes, MediaFile* file) {
    MemoryByteSource source(bytes);
    return ParseRiffMedia(source, file);
}

std::vector<uint8_t> ChunkBytes(const std::vector<uint8_t>& file, const MediaChunk& chunk) {
    return std::vector<uint8_t>(file.begin() + static_cast<long>(chunk.offset),
                                file.begin() + static_cast<long>(chunk.offset + chunk.size));
}

}  // namespace

TEST(RiffMedia, VideoOnlyAvi) {
    AviShape shape;  // 8 x 6, 10 frames per second, 5 frames
    const std::vector<uint8_t> bytes = MakeAvi(shape);
    MediaFile file;
    ASSERT_EQ(ParseStatus::Ok, Parse(bytes, &file));
    EXPECT_EQ(Container::Avi, file.container);
    ASSERT_EQ(1u, file.streams.size());
    const MediaStream& video = file.streams[0];
    EXPECT_EQ(StreamKind::Video, video.kind);
    ASSERT_EQ(5u, video.chunks.size());
    EXPECT_EQ(5u * 8 * 3 * 6, video.dataBytes);
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(standintest::StoredFrame(shape, n), ChunkBytes(bytes, video.chunks[n])) << n;
    }
    EXPECT_DOUBLE_EQ(10.0, FrameRate(file, video));
    EXPECT_DOUBLE_EQ(0.5, StreamLengthSeconds(file, video));

    VideoLayout layout;
    ASSERT_TRUE(DescribeVideo(video, &layout));
    EXPECT_EQ(8, layout.width);
    EXPECT_EQ(6, layout.height);
    EXPECT_TRUE(layout.bottomUp);
    EXPECT_TRUE(IsUncompressedRgb24(layout));
}

TEST(RiffMedia, InterleavedSoundInEveryWriterShape) {
    AviShape shape;
    shape.withAudio = true;  // 400 bytes of 16 kB/s sound per frame
    for (int writer = 0; writer < 4; ++writer) {
        shape.recLists = writer == 1;
        shape.indexChunks = writer == 2;
        shape.extension = writer == 3;
        shape.audioFirst = writer == 2;
        MediaFile file;
        ASSERT_EQ(ParseStatus::Ok, Parse(MakeAvi(shape), &file)) << writer;
        ASSERT_EQ(2u, file.streams.size()) << writer;
        const MediaStream& video = file.streams[shape.audioFirst ? 1 : 0];
        const MediaStream& audio = file.streams[shape.audioFirst ? 0 : 1];
        EXPECT_EQ(StreamKind::Video, video.kind) << writer;
        EXPECT_EQ(StreamKind::Audio, audio.kind) << writer;
        EXPECT_EQ(5u, video.chunks.size()) << writer;
        EXPECT_EQ(2000u, audio.dataBytes) << writer;
        // 2000 bytes at 16000 bytes per second.
        EXPECT_DOUBLE_EQ(0.125, StreamLengthSeconds(file, audio)) << writer;
        AudioLayout layout;
        ASSERT_TRUE(DescribeAudio(audio, &layout));
        EXPECT_EQ(8000u, layout.samplesPerSec);
        EXPECT_EQ(16u, layout.bitsPerSample);
    }
}

TEST(RiffMedia, WaveFile) {
    const PcmFormat format{2, 22050, 88200, 4, 16};
    const std::vector<uint8_t> data = standintest::SoundBytes(44100);
    const std::vector<uint8_t> bytes = standintest::MakeWav(format, data);
    MediaFile file;
    ASSERT_EQ(ParseStatus::Ok, Parse(bytes, &file));
    EXPECT_EQ(Container::Wave, file.container);
    ASSERT_EQ(1u, file.streams.size());
    EXPECT_EQ(StreamKind::Audio, file.streams[0].kind);
    ASSERT_EQ(1u, file.streams[0].chunks.size());
    EXPECT_EQ(data, ChunkBytes(bytes, file.streams[0].chunks[0]));
    EXPECT_DOUBLE_EQ(0.5, StreamLengthSeconds(file, file.streams[0]));
}

TEST(RiffMedia, DamagedFilesKeepWhatIsWhole) {
    AviShape shape;
    std::vector<uint8_t> bytes = MakeAvi(shape);
    // Cut the file inside the last frame (the idx1 chunk of 24 bytes and
    // 50 bytes of the frame go): the frame is not counted.
    bytes.resize(bytes.size() - 24 - 50);
    MediaFile file;
    ASSERT_EQ(ParseStatus::Ok, Parse(bytes, &file));
    EXPECT_EQ(4u, file.streams[0].chunks.size());

    // A WAVE file whose writer never came back to fix its header still
    // yields the sound that reached the disk.
    std::vector<uint8_t> wave = standintest::MakeWav({1, 8000, 16000, 2, 16}, standintest::SoundBytes(800));
    wave[40] = wave[41] = wave[42] = wave[43] = 0xFF;
    ASSERT_EQ(ParseStatus::Ok, Parse(wave, &file));
    EXPECT_EQ(800u, file.streams[0].dataBytes);

    // A chunk that claims more than the file holds ends the walk safely.
    std::vector<uint8_t> lying = MakeAvi(shape);
    for (size_t i = 0; i + 8 < lying.size(); ++i) {
        if (lying[i] == '0' && lying[i + 1] == '0' && lying[i + 2] == 'd' && lying[i + 3] == 'b') {
            lying[i + 4] = lying[i + 5] = lying[i + 6] = lying[i + 7] = 0xF0;
            break;
        }
    }
    ASSERT_EQ(ParseStatus::Ok, Parse(lying, &file));
    EXPECT_EQ(0u, file.streams[0].chunks.size());
}

TEST(RiffMedia, RefusesWhatIsNoMediaFile) {
    MediaFile file;
    EXPECT_EQ(ParseStatus::NotRiff, Parse({}, &file));
    EXPECT_EQ(ParseStatus::NotRiff, Parse({'R', 'I', 'F', 'F', 4, 0, 0, 0, 'C', 'D', 'X', 'A'}, &file));
    EXPECT_EQ(ParseStatus::NotRiff, Parse(std::vector<uint8_t>(100, 'x'), &file));

    // RIFF AVI without its header list.
    std::vector<uint8_t> bare = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '};
    EXPECT_EQ(ParseStatus::Malformed, Parse(bare, &file));
    EXPECT_TRUE(file.streams.empty());

    // A WAVE file with no format chunk.
    std::vector<uint8_t> wave = standintest::MakeWav({1, 8000, 16000, 2, 16}, {1, 2, 3, 4});
    wave[12] = 'x';
    EXPECT_EQ(ParseStatus::Malformed, Parse(wave, &file));
}

TEST(RiffMedia, FrameAtTime) {
    MediaFile file;
    ASSERT_EQ(ParseStatus::Ok, Parse(MakeAvi(AviShape()), &file));
    const MediaStream& video = file.streams[0];
    EXPECT_EQ(0, FrameIndexAt(file, video, 0.0));
    EXPECT_EQ(0, FrameIndexAt(file, video, 0.0999));
    EXPECT_EQ(1, FrameIndexAt(file, video, 0.1));  // 1 / 10 s is frame 1's start
    EXPECT_EQ(3, FrameIndexAt(file, video, 0.3));
    EXPECT_EQ(4, FrameIndexAt(file, video, 0.45));
    EXPECT_EQ(4, FrameIndexAt(file, video, 99.0));  // past the end: the last frame
    EXPECT_EQ(-1, FrameIndexAt(file, video, -0.01));
    EXPECT_EQ(-1, FrameIndexAt(file, video, std::nan("")));
    EXPECT_EQ(-1, FrameIndexAt(file, video, std::numeric_limits<double>::infinity()));
}

TEST(RiffMedia, FrameRateFromMainHeaderWhenStreamHasNone) {
    AviShape shape;
    shape.scale = 0;  // the stream header gives no rate
    shape.rate = 1;   // avih: 1,000,000 x 0 / 1 = 0 microseconds: no rate at all
    MediaFile file;
    ASSERT_EQ(ParseStatus::Ok, Parse(MakeAvi(shape), &file));
    EXPECT_EQ(0.0, FrameRate(file, file.streams[0]));
    EXPECT_EQ(0.0, StreamLengthSeconds(file, file.streams[0]));
    EXPECT_EQ(-1, FrameIndexAt(file, file.streams[0], 0.0));

    file.microSecPerFrame = 40000;  // 25 frames per second
    EXPECT_DOUBLE_EQ(25.0, FrameRate(file, file.streams[0]));
    EXPECT_DOUBLE_EQ(0.2, StreamLengthSeconds(file, file.streams[0]));
}

TEST(RiffMedia, TopDownAndCompressedVideo) {
    AviShape shape;
    shape.topDown = true;
    MediaFile file;
    ASSERT_EQ(ParseStatus::Ok, Parse(MakeAvi(shape), &file));
    VideoLayout layout;
    ASSERT_TRUE(DescribeVideo(file.streams[0], &layout));
    EXPECT_FALSE(layout.bottomUp);
    EXPECT_EQ(6, layout.height);

    shape.topDown = false;
    shape.compression = 0x47504A4D;  // 'MJPG'
    ASSERT_EQ(ParseStatus::Ok, Parse(MakeAvi(shape), &file));
    ASSERT_TRUE(DescribeVideo(file.streams[0], &layout));
    EXPECT_FALSE(IsUncompressedRgb24(layout));
}
