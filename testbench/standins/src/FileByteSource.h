// A file opened for reading, as a byte source for the RIFF reader.
#pragma once

#include "ByteSource.h"
#include "SinkFile.h"

namespace standins {

class CFileByteSource final : public ByteSource {
public:
    HRESULT Open(const std::wstring& path);

    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* buffer, size_t size) override;

private:
    CSinkFile file_;
    uint64_t size_ = 0;
};

}  // namespace standins
