// Puts the chunks of several live streams into one order by time, as a
// fully interleaving AVI multiplexer writes them: a chunk is let out once
// every stream still running has delivered something at least as late, so
// that sound and pictures of the same moment lie together in the file. A
// stream that falls silent (a paused camera, a source that stalls) must not
// hold the others forever: once the newest time seen is more than the span
// past the earliest held chunk, or the held bytes pass their bound, the
// earliest chunk goes out anyway.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace standins {

struct HeldChunk {
    size_t stream = 0;
    int64_t start = 0;  // 100-ns units
    bool keyFrame = true;
    std::vector<uint8_t> bytes;
};

class CChunkInterleaver {
public:
    CChunkInterleaver(size_t streams, int64_t span, size_t maxHeldBytes);

    // Chunks of one stream keep their arrival order among themselves.
    // Chunks of unknown streams are ignored.
    void Add(HeldChunk chunk);
    // The stream delivers no more; the others no longer wait for it.
    void EndStream(size_t stream);

    // The next chunk that may be written now; false when every candidate
    // still waits for another stream.
    bool Next(HeldChunk* chunk);
    // The earliest held chunk whatever the others did (the recording stops).
    bool Drain(HeldChunk* chunk);

    size_t HeldBytes() const { return heldBytes_; }

private:
    struct Queue {
        std::deque<HeldChunk> chunks;
        bool ended = false;
    };
    // The stream whose first held chunk is the earliest (ties: the lower
    // stream number); -1 when nothing is held.
    int Earliest() const;
    void Pop(size_t stream, HeldChunk* chunk);

    std::vector<Queue> queues_;
    int64_t span_;
    size_t maxHeldBytes_;
    size_t heldBytes_ = 0;
    bool sawTime_ = false;
    int64_t newest_ = 0;
};

}  // namespace standins
