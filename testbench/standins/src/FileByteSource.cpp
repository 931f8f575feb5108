#include "FileByteSource.h"

namespace standins {

HRESULT CFileByteSource::Open(const std::wstring& path) {
    HRESULT hr = file_.OpenForReading(path);
    if (SUCCEEDED(hr)) {
        hr = file_.Size(&size_);
    }
    return hr;
}

bool CFileByteSource::ReadAt(uint64_t offset, void* buffer, size_t size) {
    if (offset > size_ || size > size_ - offset || size > MAXDWORD) {
        return false;
    }
    DWORD read = 0;
    return SUCCEEDED(file_.ReadAt(offset, buffer, static_cast<DWORD>(size), &read)) && read == size;
}

}  // namespace standins
