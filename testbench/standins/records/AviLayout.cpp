#include "AviLayout.h"

#include "ByteOrder.h"

#include <algorithm>

namespace standins {
namespace {

constexpr uint32_t kMainHeaderSize = 56;
constexpr uint32_t kStreamHeaderSize = 56;
constexpr uint32_t kIndexEntrySize = 16;

uint64_t Padded(uint64_t size) { return size + (size & 1u); }

void AppendChunk(std::vector<uint8_t>& out, uint32_t id, const std::vector<uint8_t>& data) {
    AppendFourCc(out, id);
    AppendLe32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if ((data.size() & 1u) != 0) {
        out.push_back(0);
    }
}

void AppendListHeader(std::vector<uint8_t>& out, uint32_t size, uint32_t type) {
    AppendFourCc(out, FourCc('L', 'I', 'S', 'T'));
    AppendLe32(out, size);
    AppendFourCc(out, type);
}

uint32_t ClampTo32(double value) { return value >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32_t>(value); }

}  // namespace

CAviLayout::CAviLayout(std::vector<AviStreamInfo> streams, uint32_t microSecPerFrame, bool interleaved,
                       uint64_t fileLimit)
    : microSecPerFrame_(microSecPerFrame), interleaved_(interleaved), fileLimit_(fileLimit) {
    // Chunk ids carry the stream number in two decimal digits.
    if (streams.size() > 100) {
        streams.resize(100);
    }
    headersSize_ = 12 + 12 + 8 + kMainHeaderSize;
    for (AviStreamInfo& info : streams) {
        headersSize_ += 12 + 8 + kStreamHeaderSize + 8 + Padded(info.format.size());
        StreamState state;
        state.info = std::move(info);
        streams_.push_back(std::move(state));
    }
    moviCode_ = headersSize_ + 8;
    headersSize_ += 12;
    moviEnd_ = headersSize_;
}

uint32_t CAviLayout::ChunkId(size_t stream) const {
    const char tens = static_cast<char>('0' + stream / 10);
    const char ones = static_cast<char>('0' + stream % 10);
    return streams_[stream].info.kind == StreamKind::Audio ? FourCc(tens, ones, 'w', 'b')
                                                           : FourCc(tens, ones, 'd', 'c');
}

bool CAviLayout::Place(size_t stream, uint32_t size, bool keyFrame, AviChunkPlace* place) {
    const uint64_t need = 8 + Padded(size);
    const uint64_t indexAfter = 8 + static_cast<uint64_t>(kIndexEntrySize) * (index_.size() + 1);
    if (stream >= streams_.size() || moviEnd_ + need + indexAfter > fileLimit_) {
        ++dropped_;
        return false;
    }
    const uint32_t id = ChunkId(stream);
    place->offset = moviEnd_;
    WriteLe32(place->header, id);
    WriteLe32(place->header + 4, size);
    place->pad = (size & 1u) != 0;
    index_.push_back({id, keyFrame ? kAviKeyFrame : 0u, static_cast<uint32_t>(moviEnd_ - moviCode_), size});
    moviEnd_ += need;

    StreamState& state = streams_[stream];
    ++state.chunks;
    state.bytes += size;
    state.largestChunk = std::max(state.largestChunk, size);
    return true;
}

std::vector<uint8_t> CAviLayout::MainHeader() const {
    uint32_t totalFrames = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t largest = 0;
    double bytesPerSecond = 0.0;
    bool sawVideo = false;
    for (const StreamState& stream : streams_) {
        largest = std::max(largest, stream.largestChunk);
        const AviStreamInfo& info = stream.info;
        if (info.scale != 0) {
            const double unitsPerSecond = static_cast<double>(info.rate) / info.scale;
            bytesPerSecond += unitsPerSecond * (info.sampleSize != 0 ? info.sampleSize : stream.largestChunk);
        }
        if (info.kind == StreamKind::Video && !sawVideo) {
            sawVideo = true;
            totalFrames = stream.chunks;
            if (info.format.size() >= 12) {
                width = ReadLe32(info.format.data() + 4);
                const int32_t signedHeight = ReadLe32Signed(info.format.data() + 8);
                height = signedHeight < 0 ? 0u - static_cast<uint32_t>(signedHeight)
                                          : static_cast<uint32_t>(signedHeight);
            }
        }
    }
    std::vector<uint8_t> avih;
    AppendLe32(avih, microSecPerFrame_);
    AppendLe32(avih, ClampTo32(bytesPerSecond));
    AppendLe32(avih, 0);  // padding granularity
    AppendLe32(avih, kAviHasIndex | (interleaved_ ? kAviIsInterleaved : 0u));
    AppendLe32(avih, totalFrames);
    AppendLe32(avih, 0);  // initial frames
    AppendLe32(avih, static_cast<uint32_t>(streams_.size()));
    AppendLe32(avih, largest);
    AppendLe32(avih, width);
    AppendLe32(avih, height);
    for (int i = 0; i < 4; ++i) {
        AppendLe32(avih, 0);
    }
    return avih;
}

std::vector<uint8_t> CAviLayout::StreamHeader(const StreamState& stream) const {
    const AviStreamInfo& info = stream.info;
    const bool sound = info.kind == StreamKind::Audio;
    std::vector<uint8_t> strh;
    AppendFourCc(strh, sound ? FourCc('a', 'u', 'd', 's') : FourCc('v', 'i', 'd', 's'));
    AppendLe32(strh, info.handler);
    AppendLe32(strh, 0);  // flags
    AppendLe32(strh, 0);  // priority and language
    AppendLe32(strh, 0);  // initial frames
    AppendLe32(strh, info.scale);
    AppendLe32(strh, info.rate);
    AppendLe32(strh, 0);  // start
    // Length in the stream's units: frames, or sound blocks.
    const uint64_t length = info.sampleSize != 0 ? stream.bytes / info.sampleSize : stream.chunks;
    AppendLe32(strh, static_cast<uint32_t>(std::min<uint64_t>(length, 0xFFFFFFFFu)));
    AppendLe32(strh, stream.largestChunk);
    AppendLe32(strh, 0xFFFFFFFFu);  // quality: the default
    AppendLe32(strh, info.sampleSize);
    AppendLe16(strh, 0);
    AppendLe16(strh, 0);
    AppendLe16(strh, info.frameWidth);
    AppendLe16(strh, info.frameHeight);
    return strh;
}

std::vector<uint8_t> CAviLayout::Headers() const {
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(headersSize_));
    AppendFourCc(out, FourCc('R', 'I', 'F', 'F'));
    AppendLe32(out, static_cast<uint32_t>(FileSize() - 8));
    AppendFourCc(out, FourCc('A', 'V', 'I', ' '));
    // hdrl holds everything up to the movi list header.
    AppendListHeader(out, static_cast<uint32_t>(headersSize_ - 12 - 12 - 8), FourCc('h', 'd', 'r', 'l'));
    AppendChunk(out, FourCc('a', 'v', 'i', 'h'), MainHeader());
    for (const StreamState& stream : streams_) {
        const uint32_t listSize = static_cast<uint32_t>(4 + 8 + kStreamHeaderSize + 8 +
                                                        Padded(stream.info.format.size()));
        AppendListHeader(out, listSize, FourCc('s', 't', 'r', 'l'));
        AppendChunk(out, FourCc('s', 't', 'r', 'h'), StreamHeader(stream));
        AppendChunk(out, FourCc('s', 't', 'r', 'f'), stream.info.format);
    }
    AppendListHeader(out, static_cast<uint32_t>(moviEnd_ - moviCode_), FourCc('m', 'o', 'v', 'i'));
    return out;
}

std::vector<uint8_t> CAviLayout::Index() const {
    std::vector<uint8_t> out;
    out.reserve(8 + index_.size() * kIndexEntrySize);
    AppendFourCc(out, FourCc('i', 'd', 'x', '1'));
    AppendLe32(out, static_cast<uint32_t>(index_.size() * kIndexEntrySize));
    for (const IndexEntry& entry : index_) {
        AppendLe32(out, entry.id);
        AppendLe32(out, entry.flags);
        AppendLe32(out, entry.offset);
        AppendLe32(out, entry.size);
    }
    return out;
}

uint64_t CAviLayout::FileSize() const { return moviEnd_ + 8 + static_cast<uint64_t>(kIndexEntrySize) * index_.size(); }

uint32_t CAviLayout::Chunks(size_t stream) const { return stream < streams_.size() ? streams_[stream].chunks : 0; }

uint64_t CAviLayout::Bytes(size_t stream) const { return stream < streams_.size() ? streams_[stream].bytes : 0; }

}  // namespace standins
