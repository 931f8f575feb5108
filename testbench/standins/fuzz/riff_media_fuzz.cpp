// Any bytes given to the media detector's reader: no crash, no read outside
// the input, and every chunk it reports lies inside the input.
#include "DibFrame.h"
#include "RiffMedia.h"

#include <cstdlib>

namespace {

// Random bytes rarely start like a RIFF file; most inputs get the start of
// an AVI or WAVE file put in front, so the fuzzer spends its time inside.
std::vector<uint8_t> Shape(const uint8_t* data, size_t size) {
    if (size == 0 || data[0] < 0x40) {
        return std::vector<uint8_t>(data, data + size);
    }
    const char* form = (data[0] & 1) ? "AVI " : "WAVE";
    const uint32_t length = static_cast<uint32_t>(size + 3);
    std::vector<uint8_t> shaped = {'R',
                                   'I',
                                   'F',
                                   'F',
                                   static_cast<uint8_t>(length),
                                   static_cast<uint8_t>(length >> 8),
                                   static_cast<uint8_t>(length >> 16),
                                   static_cast<uint8_t>(length >> 24)};
    shaped.insert(shaped.end(), form, form + 4);
    shaped.insert(shaped.end(), data + 1, data + size);
    return shaped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* raw, size_t rawSize) {
    const std::vector<uint8_t> bytes = Shape(raw, rawSize);
    const uint8_t* data = bytes.data();
    const size_t size = bytes.size();
    standins::MemoryByteSource source(data, size);
    standins::MediaFile file;
    if (standins::ParseRiffMedia(source, &file) != standins::ParseStatus::Ok) {
        return 0;
    }
    for (const standins::MediaStream& stream : file.streams) {
        for (const standins::MediaChunk& chunk : stream.chunks) {
            if (chunk.offset > size || chunk.size > size - chunk.offset) {
                std::abort();
            }
        }
        standins::VideoLayout layout;
        if (standins::DescribeVideo(stream, &layout) && !stream.chunks.empty()) {
            const standins::MediaChunk& chunk = stream.chunks.front();
            standins::Rgb24View view;
            if (standins::ViewStoredFrame(layout, data + chunk.offset, chunk.size, &view)) {
                std::vector<uint8_t> dib(standins::PackedDibSize(7, 5));
                standins::WritePackedDib(view, 7, 5, dib.data());
            }
        }
        standins::FrameIndexAt(file, stream, 1.5);
        standins::StreamLengthSeconds(file, stream);
    }
    return 0;
}
