#include "CacheIndexFormat.h"

#include <gtest/gtest.h>

using namespace vimbrel::browser;

namespace {

ThumbEntry Entry(const char16_t* name, int cls, int type, int made, int sw, int sh, int tw, int th) {
    ThumbEntry e;
    e.name = name;
    e.mediaClass = cls;
    e.fileType = type;
    e.made = made;
    e.sourceWidth = sw;
    e.sourceHeight = sh;
    e.thumbWidth = tw;
    e.thumbHeight = th;
    return e;
}

int32_t IntAt(const uint8_t* r, size_t offset) {
    return static_cast<int32_t>(r[offset] | (r[offset + 1] << 8) | (r[offset + 2] << 16) |
                                (static_cast<uint32_t>(r[offset + 3]) << 24));
}

void PutInt(uint8_t* r, size_t offset, uint32_t v) {
    for (int i = 0; i < 4; ++i) r[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

TEST(CacheIndexFormat, RecordLayoutByteForByte) {
    const CacheRecordBytes r = EncodeCacheRecord(Entry(u"ab.jpg", 0, 0, 1, 480, 640, 56, 75));
    ASSERT_EQ(552u, r.size());
    // "ab.jpg" as UTF-16LE, then zeros up to byte 520.
    const uint8_t name[] = {'a', 0, 'b', 0, '.', 0, 'j', 0, 'p', 0, 'g', 0};
    for (size_t i = 0; i < sizeof name; ++i) EXPECT_EQ(name[i], r[i]) << i;
    for (size_t i = sizeof name; i < 520; ++i) ASSERT_EQ(0, r[i]) << i;
    EXPECT_EQ(0, IntAt(r.data(), 520));
    EXPECT_EQ(0, IntAt(r.data(), 524));
    EXPECT_EQ(1, IntAt(r.data(), 528));
    EXPECT_EQ(480, IntAt(r.data(), 532));
    EXPECT_EQ(640, IntAt(r.data(), 536));
    EXPECT_EQ(56, IntAt(r.data(), 540));
    EXPECT_EQ(75, IntAt(r.data(), 544));
    EXPECT_EQ(0, IntAt(r.data(), 548));
    // 480 = 0x1E0 little-endian.
    EXPECT_EQ(0xE0, r[532]);
    EXPECT_EQ(0x01, r[533]);
}

TEST(CacheIndexFormat, RoundTripKeepsOrderAndFields) {
    const std::vector<ThumbEntry> list = {Entry(u"video2.avi", 1, 5, 1, 0, 0, 100, 75),
                                          Entry(u"image1.png", 0, 3, 0, 0, 0, 0, 0),
                                          Entry(u"audio1.avi", 2, 5, 1, 0, 0, 100, 75)};
    const std::vector<uint8_t> bytes = EncodeCacheIndex(list);
    ASSERT_EQ(3 * 552u, bytes.size());
    const DecodedIndex d = DecodeCacheIndex(bytes.data(), bytes.size());
    EXPECT_EQ(0u, d.refused);
    EXPECT_EQ(0u, d.trailingBytes);
    ASSERT_EQ(3u, d.entries.size());
    EXPECT_EQ(u"video2.avi", d.entries[0].name);
    EXPECT_EQ(u"image1.png", d.entries[1].name);
    EXPECT_EQ(3, d.entries[1].fileType);
    EXPECT_EQ(0, d.entries[1].made);
    EXPECT_EQ(2, d.entries[2].mediaClass);
    EXPECT_EQ(100, d.entries[2].thumbWidth);
    EXPECT_EQ(75, d.entries[2].thumbHeight);
}

TEST(CacheIndexFormat, PartialTailIsDroppedAloneAndLinkIsIgnored) {
    std::vector<uint8_t> bytes = EncodeCacheIndex(
        {Entry(u"b.jpg", 0, 0, 1, 10, 10, 75, 75), Entry(u"a.jpg", 0, 0, 0, 0, 0, 0, 0)});
    PutInt(bytes.data(), 548, 0xDEADBEEF);  // a stale pointer from some writer
    // 553 and 1103 bytes: one full record and part of the second.
    for (size_t tail : {1u, 551u}) {
        std::vector<uint8_t> b(bytes.begin(), bytes.begin() + 552 + tail);
        const DecodedIndex d = DecodeCacheIndex(b.data(), b.size());
        ASSERT_EQ(1u, d.entries.size()) << tail;
        EXPECT_EQ(u"b.jpg", d.entries[0].name);
        EXPECT_EQ(tail, d.trailingBytes);
    }
    // 551 bytes: nothing whole.
    EXPECT_TRUE(DecodeCacheIndex(bytes.data(), 551).entries.empty());
    // 1105 bytes: two full records and one extra byte.
    std::vector<uint8_t> longer = bytes;
    longer.push_back(7);
    const DecodedIndex d = DecodeCacheIndex(longer.data(), longer.size());
    EXPECT_EQ(2u, d.entries.size());
    EXPECT_EQ(1u, d.trailingBytes);
    // An empty file is an empty list.
    EXPECT_TRUE(DecodeCacheIndex(nullptr, 0).entries.empty());
}

TEST(CacheIndexFormat, RefusesNamesThatLeadOutOfTheFolderOrAreNoMedia) {
    for (const char16_t* bad : {u"", u"..\\x.jpg", u"sub/x.jpg", u"c:x.jpg", u"notes.txt", u"a.b.jpg"}) {
        const CacheRecordBytes r = EncodeCacheRecord(Entry(bad, 0, 0, 0, 0, 0, 0, 0));
        EXPECT_FALSE(DecodeCacheRecord(r.data()).has_value());
        const DecodedIndex d = DecodeCacheIndex(r.data(), r.size());
        EXPECT_EQ(1u, d.refused);
    }
}

TEST(CacheIndexFormat, NameWithoutTerminatorEndsAt259Units) {
    CacheRecordBytes r{};
    for (size_t i = 0; i < 260; ++i) r[2 * i] = 'x';
    // ...".jpg" in units 255..258, then 'x' in unit 259 where the NUL belongs.
    const char tail[] = ".jpg";
    for (size_t i = 0; i < 4; ++i) r[2 * (255 + i)] = static_cast<uint8_t>(tail[i]);
    const auto e = DecodeCacheRecord(r.data());
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(259u, e->name.size());
    EXPECT_EQ(u".jpg", e->name.substr(255));
}

TEST(CacheIndexFormat, UntrustedFieldsAreRepaired) {
    // Class 7 is recomputed from the name (video by extension).
    auto e = DecodeCacheRecord(EncodeCacheRecord(Entry(u"clip.wmv", 7, 6, 1, 0, 0, 100, 75)).data());
    ASSERT_TRUE(e);
    EXPECT_EQ(1, e->mediaClass);
    EXPECT_EQ(1, e->made);
    // A stored class 2 on a video name stays: a file without a video
    // stream is browsed as audio.
    e = DecodeCacheRecord(EncodeCacheRecord(Entry(u"clip.avi", 2, 5, 1, 0, 0, 100, 75)).data());
    EXPECT_EQ(2, e->mediaClass);
    // Sizes outside the cell clear the made flag.
    for (auto [w, h] : {std::pair{101, 75}, {100, 76}, {0, 75}, {-5, 10}, {50, 0}}) {
        e = DecodeCacheRecord(EncodeCacheRecord(Entry(u"p.jpg", 0, 0, 1, 640, 480, w, h)).data());
        ASSERT_TRUE(e);
        EXPECT_EQ(0, e->made) << w << "x" << h;
        EXPECT_EQ(0, e->thumbWidth);
        EXPECT_EQ(0, e->thumbHeight);
    }
    // Any non-zero flag reads as made.
    e = DecodeCacheRecord(EncodeCacheRecord(Entry(u"p.jpg", 0, 0, 9, 640, 480, 100, 75)).data());
    EXPECT_EQ(1, e->made);
}
