// The AVI layout the bench's AVI Mux writes by: offsets, headers and index
// worked out by hand for a 5 x 3 picture stream (45-byte frames, so every
// frame needs a pad byte) and an 8 kHz 16-bit mono sound stream, then the
// whole file read back by the RIFF reader.
#include "AviLayout.h"
#include "ByteOrder.h"
#include "RiffMedia.h"

#include <gtest/gtest.h>

using namespace standins;

namespace {

AviStreamInfo Pictures() {
    AviStreamInfo video;
    video.kind = StreamKind::Video;
    AppendLe32(video.format, 40);
    AppendLe32(video.format, 5);  // width
    AppendLe32(video.format, 3);  // height: bottom-up
    AppendLe16(video.format, 1);
    AppendLe16(video.format, 24);
    AppendLe32(video.format, 0);  // BI_RGB
    AppendLe32(video.format, 45);
    for (int i = 0; i < 4; ++i) {
        AppendLe32(video.format, 0);
    }
    video.scale = 1;
    video.rate = 10;
    video.frameWidth = 5;
    video.frameHeight = 3;
    return video;
}

AviStreamInfo Sound() {
    AviStreamInfo sound;
    sound.kind = StreamKind::Audio;
    AppendLe16(sound.format, 1);
    AppendLe16(sound.format, 1);
    AppendLe32(sound.format, 8000);
    AppendLe32(sound.format, 16000);
    AppendLe16(sound.format, 2);
    AppendLe16(sound.format, 16);
    AppendLe16(sound.format, 0);
    sound.scale = 2;
    sound.rate = 16000;
    sound.sampleSize = 2;
    return sound;
}

// Puts the chunk's bytes where the layout placed it, as the mux does.
void WriteChunk(std::vector<uint8_t>& file, const AviChunkPlace& place, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> chunk(place.header, place.header + 8);
    chunk.insert(chunk.end(), data.begin(), data.end());
    if (place.pad) {
        chunk.push_back(0);
    }
    if (file.size() < place.offset + chunk.size()) {
        file.resize(place.offset + chunk.size(), 0xEE);
    }
    std::copy(chunk.begin(), chunk.end(), file.begin() + static_cast<long>(place.offset));
}

// The finished file: chunks, index, and headers written last.
std::vector<uint8_t> Finish(const CAviLayout& layout, std::vector<uint8_t> file) {
    const std::vector<uint8_t> index = layout.Index();
    file.resize(layout.IndexOffset());
    file.insert(file.end(), index.begin(), index.end());
    const std::vector<uint8_t> headers = layout.Headers();
    std::copy(headers.begin(), headers.end(), file.begin());
    return file;
}

std::vector<uint8_t> Filled(size_t size, uint8_t first) {
    std::vector<uint8_t> data(size);
    for (size_t i = 0; i < size; ++i) {
        data[i] = static_cast<uint8_t>(first + i);
    }
    return data;
}

uint32_t At(const std::vector<uint8_t>& bytes, size_t offset) { return ReadLe32(bytes.data() + offset); }

}  // namespace

TEST(AviLayout, PicturesAndSoundArePlacedPaddedIndexedAndCountedInTheHeaders) {
    // Headers: RIFF 12, hdrl list 12, avih 8 + 56 = 88; picture strl
    // 12 + 64 + 48 = 124; sound strl 12 + 64 + 8 + 18 = 102; movi list 12.
    CAviLayout layout({Pictures(), Sound()}, 100000, true);
    ASSERT_EQ(326u, layout.HeadersSize());
    std::vector<uint8_t> file(326, 0);

    AviChunkPlace place;
    ASSERT_TRUE(layout.Place(0, 45, true, &place));
    EXPECT_EQ(326u, place.offset);
    EXPECT_EQ(FourCc('0', '0', 'd', 'c'), ReadLe32(place.header));
    EXPECT_EQ(45u, ReadLe32(place.header + 4));
    EXPECT_TRUE(place.pad);
    WriteChunk(file, place, Filled(45, 1));
    // 326 + 8 + 45 + 1 pad byte.
    ASSERT_TRUE(layout.Place(1, 400, true, &place));
    EXPECT_EQ(380u, place.offset);
    EXPECT_EQ(FourCc('0', '1', 'w', 'b'), ReadLe32(place.header));
    EXPECT_FALSE(place.pad);
    WriteChunk(file, place, Filled(400, 7));
    ASSERT_TRUE(layout.Place(0, 45, false, &place));
    EXPECT_EQ(788u, place.offset);
    WriteChunk(file, place, Filled(45, 100));

    EXPECT_EQ(842u, layout.IndexOffset());
    EXPECT_EQ(842u + 8 + 3 * 16, layout.FileSize());
    EXPECT_EQ(2u, layout.Chunks(0));
    EXPECT_EQ(400u, layout.Bytes(1));

    const std::vector<uint8_t> bytes = Finish(layout, file);
    ASSERT_EQ(898u, bytes.size());
    EXPECT_EQ(890u, At(bytes, 4));   // RIFF size
    EXPECT_EQ(294u, At(bytes, 16));  // hdrl: 'hdrl' + 88 - 8 + 124 + 102
    // avih at 32: frame time, bytes a second (10 x 45 + 16000), flags
    // (index, interleaved), total frames, streams, largest chunk, size.
    EXPECT_EQ(100000u, At(bytes, 32));
    EXPECT_EQ(16450u, At(bytes, 36));
    EXPECT_EQ(0x110u, At(bytes, 44));
    EXPECT_EQ(2u, At(bytes, 48));
    EXPECT_EQ(2u, At(bytes, 56));
    EXPECT_EQ(400u, At(bytes, 60));
    EXPECT_EQ(5u, At(bytes, 64));
    EXPECT_EQ(3u, At(bytes, 68));
    // Picture strh at 108 (strl list at 88, strh header at 100): 'vids',
    // scale 1, rate 10, length 2 frames, largest 45, rcFrame 0,0,5,3.
    EXPECT_EQ(FourCc('v', 'i', 'd', 's'), At(bytes, 108));
    EXPECT_EQ(2u, At(bytes, 108 + 32));
    EXPECT_EQ(45u, At(bytes, 108 + 36));
    EXPECT_EQ(0xFFFFFFFFu, At(bytes, 108 + 40));
    EXPECT_EQ(0u, At(bytes, 108 + 44));
    EXPECT_EQ(5u | (3u << 16), At(bytes, 108 + 52));
    // Sound strh at 232 (strl at 212): 400 bytes in blocks of 2.
    EXPECT_EQ(FourCc('a', 'u', 'd', 's'), At(bytes, 232));
    EXPECT_EQ(200u, At(bytes, 232 + 32));
    EXPECT_EQ(2u, At(bytes, 232 + 44));
    // movi list at 314: 'movi' + the three chunks.
    EXPECT_EQ(FourCc('L', 'I', 'S', 'T'), At(bytes, 314));
    EXPECT_EQ(520u, At(bytes, 318));
    EXPECT_EQ(0u, bytes[379]);  // the first frame's pad byte
    // idx1 at 842: offsets from the 'movi' code at 322.
    EXPECT_EQ(FourCc('i', 'd', 'x', '1'), At(bytes, 842));
    EXPECT_EQ(48u, At(bytes, 846));
    EXPECT_EQ(kAviKeyFrame, At(bytes, 850 + 4));
    EXPECT_EQ(4u, At(bytes, 850 + 8));
    EXPECT_EQ(58u, At(bytes, 866 + 8));
    EXPECT_EQ(400u, At(bytes, 866 + 12));
    EXPECT_EQ(0u, At(bytes, 882 + 4));  // the second frame was no key frame
    EXPECT_EQ(466u, At(bytes, 882 + 8));

    MemoryByteSource source(bytes);
    MediaFile media;
    ASSERT_EQ(ParseStatus::Ok, ParseRiffMedia(source, &media));
    ASSERT_EQ(2u, media.streams.size());
    EXPECT_EQ(2u, media.totalFrames);
    EXPECT_EQ(322u, media.moviCode);
    ASSERT_EQ(2u, media.streams[0].chunks.size());
    EXPECT_EQ(334u, media.streams[0].chunks[0].offset);
    EXPECT_EQ(796u, media.streams[0].chunks[1].offset);
    EXPECT_EQ(100u, bytes[796]);
    EXPECT_DOUBLE_EQ(10.0, FrameRate(media, media.streams[0]));
    EXPECT_DOUBLE_EQ(0.025, StreamLengthSeconds(media, media.streams[1]));
    ASSERT_EQ(3u, media.index.size());
    EXPECT_EQ(FourCc('0', '1', 'w', 'b'), media.index[1].id);
}

TEST(AviLayout, NothingWrittenStillMakesAReadableEmptyFile) {
    CAviLayout layout({Pictures()}, 100000, false);
    const std::vector<uint8_t> bytes = Finish(layout, std::vector<uint8_t>(layout.HeadersSize(), 0));
    // 12 + 12 + 64 + 124 + 12 header bytes and an empty idx1.
    ASSERT_EQ(232u, bytes.size());
    EXPECT_EQ(0x10u, At(bytes, 44));  // an index, no interleaving claimed
    MemoryByteSource source(bytes);
    MediaFile media;
    ASSERT_EQ(ParseStatus::Ok, ParseRiffMedia(source, &media));
    ASSERT_EQ(1u, media.streams.size());
    EXPECT_TRUE(media.streams[0].chunks.empty());
    EXPECT_EQ(0u, media.streams[0].headerLength);
}

TEST(AviLayout, ChunksPastTheLimitOrOfNoStreamAreDroppedAndTheFileStaysWithinIt) {
    // Headers 224 bytes; one 45-byte frame takes 54 and its index entry 16
    // after the 8-byte idx1 header: 224 + 54 + 8 + 16 = 302.
    CAviLayout layout({Pictures()}, 100000, false, 302);
    AviChunkPlace place;
    EXPECT_TRUE(layout.Place(0, 45, true, &place));
    EXPECT_FALSE(layout.Place(0, 45, true, &place));
    EXPECT_FALSE(layout.Place(1, 2, true, &place));
    EXPECT_EQ(1u, layout.Chunks(0));
    EXPECT_EQ(2u, layout.DroppedChunks());
    EXPECT_EQ(302u, layout.FileSize());
    EXPECT_EQ(294u, At(layout.Headers(), 4));
}

TEST(RiffMedia, AnIndexCutOffByTheEndOfTheFileIsNoIndex) {
    CAviLayout layout({Pictures()}, 100000, false);
    std::vector<uint8_t> file(layout.HeadersSize(), 0);
    AviChunkPlace place;
    ASSERT_TRUE(layout.Place(0, 45, true, &place));
    WriteChunk(file, place, Filled(45, 1));
    std::vector<uint8_t> bytes = Finish(layout, file);
    bytes.resize(bytes.size() - 1);
    MemoryByteSource source(bytes);
    MediaFile media;
    ASSERT_EQ(ParseStatus::Ok, ParseRiffMedia(source, &media));
    EXPECT_EQ(1u, media.streams[0].chunks.size());
    EXPECT_TRUE(media.index.empty());
}
