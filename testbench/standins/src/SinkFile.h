// A file handle with positional reads and writes, closed with its owner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace standins {

class CSinkFile {
public:
    CSinkFile() = default;
    ~CSinkFile() { Close(); }
    CSinkFile(const CSinkFile&) = delete;
    CSinkFile& operator=(const CSinkFile&) = delete;

    // truncate: an existing file is emptied; otherwise it is kept as it is
    // and written over in place. Others may read the file meanwhile.
    HRESULT Open(const std::wstring& path, bool truncate);
    // Opens an existing file for reading only.
    HRESULT OpenForReading(const std::wstring& path);
    void Close();
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

    HRESULT WriteAt(uint64_t offset, const void* data, DWORD size);
    // Reads up to size bytes; *read tells how many (fewer at the end).
    HRESULT ReadAt(uint64_t offset, void* data, DWORD size, DWORD* read);
    HRESULT Size(uint64_t* size);
    HRESULT SetSize(uint64_t size);
    HRESULT Flush();

private:
    HRESULT MoveTo(uint64_t offset);

    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace standins
