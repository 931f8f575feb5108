#include "ChunkInterleaver.h"

namespace standins {

CChunkInterleaver::CChunkInterleaver(size_t streams, int64_t span, size_t maxHeldBytes)
    : queues_(streams), span_(span), maxHeldBytes_(maxHeldBytes) {}

void CChunkInterleaver::Add(HeldChunk chunk) {
    if (chunk.stream >= queues_.size()) {
        return;
    }
    if (!sawTime_ || chunk.start > newest_) {
        newest_ = chunk.start;
        sawTime_ = true;
    }
    heldBytes_ += chunk.bytes.size();
    queues_[chunk.stream].chunks.push_back(std::move(chunk));
}

void CChunkInterleaver::EndStream(size_t stream) {
    if (stream < queues_.size()) {
        queues_[stream].ended = true;
    }
}

int CChunkInterleaver::Earliest() const {
    int earliest = -1;
    for (size_t i = 0; i < queues_.size(); ++i) {
        if (queues_[i].chunks.empty()) {
            continue;
        }
        if (earliest < 0 || queues_[i].chunks.front().start < queues_[earliest].chunks.front().start) {
            earliest = static_cast<int>(i);
        }
    }
    return earliest;
}

void CChunkInterleaver::Pop(size_t stream, HeldChunk* chunk) {
    *chunk = std::move(queues_[stream].chunks.front());
    queues_[stream].chunks.pop_front();
    heldBytes_ -= chunk->bytes.size();
}

bool CChunkInterleaver::Next(HeldChunk* chunk) {
    const int earliest = Earliest();
    if (earliest < 0) {
        return false;
    }
    const int64_t start = queues_[earliest].chunks.front().start;
    // Every other stream holds a chunk no earlier than this one (it is the
    // earliest), has ended, or has had its time to deliver one.
    bool othersCaughtUp = true;
    for (const Queue& queue : queues_) {
        if (queue.chunks.empty() && !queue.ended) {
            othersCaughtUp = false;
        }
    }
    const bool waitedTooLong = newest_ - start > span_ || heldBytes_ > maxHeldBytes_;
    if (!othersCaughtUp && !waitedTooLong) {
        return false;
    }
    Pop(static_cast<size_t>(earliest), chunk);
    return true;
}

bool CChunkInterleaver::Drain(HeldChunk* chunk) {
    const int earliest = Earliest();
    if (earliest < 0) {
        return false;
    }
    Pop(static_cast<size_t>(earliest), chunk);
    return true;
}

}  // namespace standins
