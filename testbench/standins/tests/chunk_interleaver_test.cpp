// Full interleaving: the order chunks of a picture stream (0) and a sound
// stream (1) leave the interleaver in, with a span of one second
// (10,000,000 units) unless a test says otherwise.
#include "ChunkInterleaver.h"

#include <gtest/gtest.h>

#include <string>

using namespace standins;

namespace {

constexpr int64_t kSecond = 10000000;

HeldChunk Chunk(size_t stream, int64_t start, size_t bytes = 4) {
    HeldChunk chunk;
    chunk.stream = stream;
    chunk.start = start;
    chunk.bytes.assign(bytes, static_cast<uint8_t>(stream));
    return chunk;
}

// What comes out now, as "stream@start" in order.
std::string Ready(CChunkInterleaver& interleaver) {
    std::string out;
    HeldChunk chunk;
    while (interleaver.Next(&chunk)) {
        out += std::to_string(chunk.stream) + "@" + std::to_string(chunk.start) + " ";
    }
    return out;
}

}  // namespace

TEST(ChunkInterleaver, ChunksWaitForTheOtherStreamAndLeaveInTimeOrder) {
    CChunkInterleaver interleaver(2, kSecond, 1 << 20);
    interleaver.Add(Chunk(1, 0));
    interleaver.Add(Chunk(1, 1000000));
    EXPECT_EQ("", Ready(interleaver));  // no picture yet
    interleaver.Add(Chunk(0, 500000));
    // Sound at 0, the picture at 0.05 s; the sound at 0.1 s waits for a
    // later picture.
    EXPECT_EQ("1@0 0@500000 ", Ready(interleaver));
    interleaver.Add(Chunk(0, 833333));
    interleaver.Add(Chunk(0, 1166666));
    EXPECT_EQ("0@833333 1@1000000 ", Ready(interleaver));
    EXPECT_EQ(4u, interleaver.HeldBytes());
}

TEST(ChunkInterleaver, EqualTimesGoLowerStreamFirst) {
    CChunkInterleaver interleaver(2, kSecond, 1 << 20);
    interleaver.Add(Chunk(1, 200));
    interleaver.Add(Chunk(0, 200));
    interleaver.Add(Chunk(1, 300));
    interleaver.Add(Chunk(0, 300));
    EXPECT_EQ("0@200 1@200 0@300 ", Ready(interleaver));
}

TEST(ChunkInterleaver, AStreamThatFallsSilentHoldsTheOthersOnlyForTheSpanOrTheByteBound) {
    CChunkInterleaver interleaver(2, kSecond, 1 << 20);
    interleaver.Add(Chunk(1, 0));
    interleaver.Add(Chunk(1, 5000000));
    interleaver.Add(Chunk(1, 10000000));
    EXPECT_EQ("", Ready(interleaver));  // exactly the span: still waiting
    interleaver.Add(Chunk(1, 15000000));
    // 1.5 s after the first chunk it goes; the one at 0.5 s is exactly a
    // span behind and waits.
    EXPECT_EQ("1@0 ", Ready(interleaver));

    CChunkInterleaver bounded(2, kSecond, 10);
    bounded.Add(Chunk(1, 0, 6));
    EXPECT_EQ("", Ready(bounded));
    bounded.Add(Chunk(1, 1, 6));
    EXPECT_EQ("1@0 ", Ready(bounded));  // 12 bytes held, 10 allowed
}

TEST(ChunkInterleaver, AnEndedStreamIsNoLongerWaitedForAndDrainEmptiesInTimeOrder) {
    CChunkInterleaver interleaver(2, kSecond, 1 << 20);
    interleaver.Add(Chunk(0, 300));
    interleaver.Add(Chunk(0, 100));  // out of order within its stream: kept behind 300
    interleaver.Add(Chunk(1, 200));
    EXPECT_EQ("1@200 ", Ready(interleaver));
    interleaver.EndStream(1);
    EXPECT_EQ("0@300 0@100 ", Ready(interleaver));

    CChunkInterleaver stopped(2, kSecond, 1 << 20);
    stopped.Add(Chunk(1, 50));
    stopped.Add(Chunk(1, 20));
    stopped.Add(Chunk(5, 10));  // no such stream: ignored
    EXPECT_EQ(8u, stopped.HeldBytes());
    HeldChunk chunk;
    ASSERT_TRUE(stopped.Drain(&chunk));
    EXPECT_EQ(50, chunk.start);
    ASSERT_TRUE(stopped.Drain(&chunk));
    EXPECT_EQ(20, chunk.start);
    EXPECT_FALSE(stopped.Drain(&chunk));
    EXPECT_EQ(0u, stopped.HeldBytes());
}
