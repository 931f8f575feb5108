#include "RiffMedia.h"

#include "ByteOrder.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>

namespace standins {
namespace {

constexpr uint32_t kRiff = FourCc('R', 'I', 'F', 'F');
constexpr uint32_t kList = FourCc('L', 'I', 'S', 'T');
constexpr uint32_t kAvi = FourCc('A', 'V', 'I', ' ');
constexpr uint32_t kAvix = FourCc('A', 'V', 'I', 'X');
constexpr uint32_t kWave = FourCc('W', 'A', 'V', 'E');
constexpr uint32_t kHdrl = FourCc('h', 'd', 'r', 'l');
constexpr uint32_t kAvih = FourCc('a', 'v', 'i', 'h');
constexpr uint32_t kStrl = FourCc('s', 't', 'r', 'l');
constexpr uint32_t kStrh = FourCc('s', 't', 'r', 'h');
constexpr uint32_t kStrf = FourCc('s', 't', 'r', 'f');
constexpr uint32_t kMovi = FourCc('m', 'o', 'v', 'i');
constexpr uint32_t kRec = FourCc('r', 'e', 'c', ' ');
constexpr uint32_t kFmt = FourCc('f', 'm', 't', ' ');
constexpr uint32_t kData = FourCc('d', 'a', 't', 'a');
constexpr uint32_t kVids = FourCc('v', 'i', 'd', 's');
constexpr uint32_t kAuds = FourCc('a', 'u', 'd', 's');
constexpr uint32_t kIdx1 = FourCc('i', 'd', 'x', '1');

// AVI numbers its streams with two decimal digits.
constexpr size_t kMaxStreams = 100;
// A format block larger than this is not one we can use.
constexpr uint32_t kMaxFormatBytes = 64 * 1024;
// Beyond this many chunks a file is not one of the bench's recordings;
// refusing it keeps a hostile file from exhausting memory.
constexpr size_t kMaxChunks = 4 * 1024 * 1024;
constexpr int kMaxListDepth = 4;

struct ChunkHeader {
    uint32_t id;
    uint32_t size;
    uint64_t dataOffset;
    bool complete;      // all its data lies inside the parent
    uint32_t listType;  // for RIFF and LIST chunks, 0 otherwise
};

// Calls visit for each chunk between begin and end, in file order. A chunk
// whose header does not fit ends the walk; one whose data runs past the end
// is reported incomplete and ends the walk after it. visit returns false to
// stop early.
bool WalkChunks(ByteSource& source, uint64_t begin, uint64_t end,
                const std::function<bool(const ChunkHeader&)>& visit) {
    uint64_t offset = begin;
    while (offset <= end && end - offset >= 8) {
        uint8_t raw[12];
        if (!source.ReadAt(offset, raw, 8)) {
            return true;
        }
        ChunkHeader header{};
        header.id = ReadLe32(raw);
        header.size = ReadLe32(raw + 4);
        header.dataOffset = offset + 8;
        header.complete = header.size <= end - header.dataOffset;
        if ((header.id == kRiff || header.id == kList) && header.size >= 4 && end - header.dataOffset >= 4 &&
            source.ReadAt(header.dataOffset, raw + 8, 4)) {
            header.listType = ReadLe32(raw + 8);
        }
        if (!visit(header)) {
            return false;
        }
        if (!header.complete) {
            return true;
        }
        offset = header.dataOffset + header.size + (header.size & 1u);
    }
    return true;
}

uint64_t DataEnd(const ChunkHeader& header, uint64_t parentEnd) {
    return header.complete ? header.dataOffset + header.size : parentEnd;
}

bool ReadBlock(ByteSource& source, const ChunkHeader& header, uint32_t maxSize, std::vector<uint8_t>* out) {
    if (!header.complete || header.size > maxSize) {
        return false;
    }
    out->resize(header.size);
    return header.size == 0 || source.ReadAt(header.dataOffset, out->data(), header.size);
}

// Decimal stream number of a data chunk id such as '01wb'; -1 for index
// chunks ('ix01') and anything else.
int StreamNumber(uint32_t id) {
    const char first = static_cast<char>(id & 0xFF);
    const char second = static_cast<char>((id >> 8) & 0xFF);
    if (first < '0' || first > '9' || second < '0' || second > '9') {
        return -1;
    }
    return (first - '0') * 10 + (second - '0');
}

class AviReader {
public:
    AviReader(ByteSource& source, MediaFile* file) : source_(source), file_(file) {}

    ParseStatus Read() {
        bool first = true;
        bool failed = false;
        WalkChunks(source_, 0, source_.Size(), [&](const ChunkHeader& riff) {
            if (riff.id != kRiff) {
                return false;
            }
            const uint64_t end = DataEnd(riff, source_.Size());
            if (first) {
                first = false;
                if (riff.listType != kAvi) {
                    failed = true;
                    return false;
                }
                return ReadMainRiff(riff.dataOffset + 4, end);
            }
            if (riff.listType == kAvix) {
                return ReadExtensionRiff(riff.dataOffset + 4, end);
            }
            return false;
        });
        if (failed || !sawHeader_ || !ok_) {
            return ParseStatus::Malformed;
        }
        return ParseStatus::Ok;
    }

private:
    bool ReadMainRiff(uint64_t begin, uint64_t end) {
        WalkChunks(source_, begin, end, [&](const ChunkHeader& chunk) {
            if (chunk.id == kIdx1) {
                ReadIndex(chunk);
                return ok_;
            }
            if (chunk.id != kList) {
                return true;
            }
            const uint64_t listEnd = DataEnd(chunk, end);
            if (chunk.listType == kHdrl && !sawHeader_) {
                sawHeader_ = true;
                ReadHeaderList(chunk.dataOffset + 4, listEnd);
            } else if (chunk.listType == kMovi && sawHeader_) {
                if (!sawMovi_) {
                    sawMovi_ = true;
                    file_->moviCode = chunk.dataOffset;
                }
                ReadMovi(chunk.dataOffset + 4, listEnd, 0);
            }
            return ok_;
        });
        return ok_;
    }

    bool ReadExtensionRiff(uint64_t begin, uint64_t end) {
        WalkChunks(source_, begin, end, [&](const ChunkHeader& chunk) {
            if (chunk.id == kList && chunk.listType == kMovi) {
                ReadMovi(chunk.dataOffset + 4, DataEnd(chunk, end), 0);
            }
            return ok_;
        });
        return ok_;
    }

    void ReadHeaderList(uint64_t begin, uint64_t end) {
        WalkChunks(source_, begin, end, [&](const ChunkHeader& chunk) {
            if (chunk.id == kAvih) {
                uint8_t raw[20];
                if (chunk.complete && chunk.size >= 4 && source_.ReadAt(chunk.dataOffset, raw, 4)) {
                    file_->microSecPerFrame = ReadLe32(raw);
                }
                if (chunk.complete && chunk.size >= 20 && source_.ReadAt(chunk.dataOffset, raw, 20)) {
                    file_->totalFrames = ReadLe32(raw + 16);
                }
            } else if (chunk.id == kList && chunk.listType == kStrl) {
                if (file_->streams.size() >= kMaxStreams) {
                    return false;
                }
                file_->streams.push_back(ReadStreamList(chunk.dataOffset + 4, DataEnd(chunk, end)));
            }
            return true;
        });
    }

    MediaStream ReadStreamList(uint64_t begin, uint64_t end) {
        MediaStream stream;
        WalkChunks(source_, begin, end, [&](const ChunkHeader& chunk) {
            std::vector<uint8_t> block;
            if (chunk.id == kStrh && ReadBlock(source_, chunk, kMaxFormatBytes, &block) && block.size() >= 36) {
                stream.type = ReadLe32(&block[0]);
                stream.handler = ReadLe32(&block[4]);
                stream.scale = ReadLe32(&block[20]);
                stream.rate = ReadLe32(&block[24]);
                stream.headerLength = ReadLe32(&block[32]);
                stream.kind = stream.type == kVids   ? StreamKind::Video
                              : stream.type == kAuds ? StreamKind::Audio
                                                     : StreamKind::Other;
            } else if (chunk.id == kStrf && ReadBlock(source_, chunk, kMaxFormatBytes, &block)) {
                stream.format = std::move(block);
            }
            return true;
        });
        return stream;
    }

    void ReadMovi(uint64_t begin, uint64_t end, int depth) {
        WalkChunks(source_, begin, end, [&](const ChunkHeader& chunk) {
            if (chunk.id == kList) {
                if (chunk.listType == kRec && depth < kMaxListDepth) {
                    ReadMovi(chunk.dataOffset + 4, DataEnd(chunk, end), depth + 1);
                }
                return ok_;
            }
            const int number = StreamNumber(chunk.id);
            // A chunk cut off by the end of the file is a frame the writer
            // never finished: it is not part of the stream.
            if (number < 0 || static_cast<size_t>(number) >= file_->streams.size() || !chunk.complete) {
                return true;
            }
            if (++chunkCount_ > kMaxChunks) {
                ok_ = false;
                return false;
            }
            MediaStream& stream = file_->streams[static_cast<size_t>(number)];
            stream.chunks.push_back({chunk.dataOffset, chunk.size});
            stream.dataBytes += chunk.size;
            return true;
        });
    }

    // The entries of a complete index; a cut-off index is no index.
    void ReadIndex(const ChunkHeader& chunk) {
        if (!chunk.complete || !file_->index.empty()) {
            return;
        }
        const uint32_t entries = chunk.size / 16;
        if (entries > kMaxChunks) {
            ok_ = false;
            return;
        }
        file_->index.reserve(entries);
        for (uint32_t i = 0; i < entries; ++i) {
            uint8_t raw[16];
            if (!source_.ReadAt(chunk.dataOffset + 16ull * i, raw, 16)) {
                file_->index.clear();
                return;
            }
            file_->index.push_back({ReadLe32(raw), ReadLe32(raw + 4), ReadLe32(raw + 8), ReadLe32(raw + 12)});
        }
    }

    ByteSource& source_;
    MediaFile* file_;
    bool sawHeader_ = false;
    bool sawMovi_ = false;
    bool ok_ = true;
    size_t chunkCount_ = 0;
};

ParseStatus ReadWave(ByteSource& source, uint64_t begin, uint64_t end, MediaFile* file) {
    MediaStream stream;
    stream.kind = StreamKind::Audio;
    stream.type = kAuds;
    bool sawFormat = false;
    bool sawData = false;
    WalkChunks(source, begin, end, [&](const ChunkHeader& chunk) {
        if (chunk.id == kFmt && !sawFormat) {
            sawFormat = ReadBlock(source, chunk, kMaxFormatBytes, &stream.format) && stream.format.size() >= 16;
        } else if (chunk.id == kData && !sawData) {
            sawData = true;
            // A recording whose writer died keeps what reached the disk.
            const uint64_t available = end - chunk.dataOffset;
            const uint32_t size = chunk.complete ? chunk.size : static_cast<uint32_t>(available);
            stream.chunks.push_back({chunk.dataOffset, size});
            stream.dataBytes = size;
        }
        return !(sawFormat && sawData);
    });
    if (!sawFormat || !sawData) {
        return ParseStatus::Malformed;
    }
    AudioLayout audio;
    if (!DescribeAudio(stream, &audio)) {
        return ParseStatus::Malformed;
    }
    stream.scale = audio.blockAlign;
    stream.rate = audio.avgBytesPerSec;
    file->container = Container::Wave;
    file->streams.push_back(std::move(stream));
    return ParseStatus::Ok;
}

}  // namespace

ParseStatus ParseRiffMedia(ByteSource& source, MediaFile* file) {
    *file = MediaFile();
    uint8_t raw[12];
    if (source.Size() < 12 || !source.ReadAt(0, raw, 12) || ReadLe32(raw) != kRiff) {
        return ParseStatus::NotRiff;
    }
    const uint32_t form = ReadLe32(raw + 8);
    ParseStatus status = ParseStatus::NotRiff;
    if (form == kWave) {
        const uint64_t size = ReadLe32(raw + 4);
        const uint64_t end = size < 4 ? 12 : std::min<uint64_t>(8 + size, source.Size());
        status = ReadWave(source, 12, end, file);
    } else if (form == kAvi) {
        file->container = Container::Avi;
        status = AviReader(source, file).Read();
    }
    if (status != ParseStatus::Ok) {
        *file = MediaFile();
    }
    return status;
}

bool DescribeVideo(const MediaStream& stream, VideoLayout* layout) {
    if (stream.kind != StreamKind::Video || stream.format.size() < 40) {
        return false;
    }
    const uint8_t* header = stream.format.data();
    const int32_t width = ReadLe32Signed(header + 4);
    const int32_t height = ReadLe32Signed(header + 8);
    // The extremes cannot be negated or give no picture at all.
    if (width <= 0 || height == 0 || height == INT32_MIN) {
        return false;
    }
    layout->width = width;
    layout->height = height < 0 ? -height : height;
    layout->bottomUp = height > 0;
    layout->bitCount = ReadLe16(header + 14);
    layout->compression = ReadLe32(header + 16);
    return true;
}

bool IsUncompressedRgb24(const VideoLayout& layout) { return layout.compression == 0 && layout.bitCount == 24; }

bool DescribeAudio(const MediaStream& stream, AudioLayout* layout) {
    if (stream.kind != StreamKind::Audio || stream.format.size() < 16) {
        return false;
    }
    const uint8_t* wave = stream.format.data();
    layout->formatTag = ReadLe16(wave);
    layout->channels = ReadLe16(wave + 2);
    layout->samplesPerSec = ReadLe32(wave + 4);
    layout->avgBytesPerSec = ReadLe32(wave + 8);
    layout->blockAlign = ReadLe16(wave + 12);
    layout->bitsPerSample = ReadLe16(wave + 14);
    return layout->avgBytesPerSec != 0 && layout->channels != 0;
}

double FrameRate(const MediaFile& file, const MediaStream& stream) {
    if (stream.scale != 0 && stream.rate != 0) {
        return static_cast<double>(stream.rate) / stream.scale;
    }
    if (stream.kind == StreamKind::Video && file.microSecPerFrame != 0) {
        return 1e6 / file.microSecPerFrame;
    }
    return 0.0;
}

double StreamLengthSeconds(const MediaFile& file, const MediaStream& stream) {
    if (stream.kind == StreamKind::Audio) {
        AudioLayout audio;
        if (!DescribeAudio(stream, &audio)) {
            return 0.0;
        }
        return static_cast<double>(stream.dataBytes) / audio.avgBytesPerSec;
    }
    const double rate = FrameRate(file, stream);
    if (rate <= 0.0) {
        return 0.0;
    }
    return static_cast<double>(stream.chunks.size()) / rate;
}

int64_t FrameIndexAt(const MediaFile& file, const MediaStream& stream, double seconds) {
    const double rate = FrameRate(file, stream);
    if (!std::isfinite(seconds) || seconds < 0.0 || rate <= 0.0 || stream.chunks.empty()) {
        return -1;
    }
    const int64_t last = static_cast<int64_t>(stream.chunks.size()) - 1;
    // A time written as a frame boundary (n / rate) must land on frame n
    // despite rounding, hence the small nudge.
    const double position = seconds * rate + 1e-6;
    if (position >= static_cast<double>(last)) {
        return last;
    }
    return static_cast<int64_t>(std::floor(position));
}

}  // namespace standins
