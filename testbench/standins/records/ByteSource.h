// Random access to the bytes of a media file, so that the RIFF reader runs
// the same over a Windows file handle and over memory in the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace standins {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // False when the range is not wholly inside the source or cannot be read.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t size) = 0;
};

class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    MemoryByteSource(const uint8_t* data, size_t size) : bytes_(data, data + size) {}

    uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(uint64_t offset, void* buffer, size_t size) override {
        if (offset > bytes_.size() || size > bytes_.size() - offset) {
            return false;
        }
        if (size != 0) {
            std::memcpy(buffer, bytes_.data() + offset, size);
        }
        return true;
    }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace standins
