#include "SinkFile.h"

namespace standins {
namespace {

HRESULT LastError() {
    const DWORD error = GetLastError();
    return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
}

}  // namespace

HRESULT CSinkFile::Open(const std::wstring& path, bool truncate) {
    Close();
    handle_ = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          truncate ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return IsOpen() ? S_OK : LastError();
}

HRESULT CSinkFile::OpenForReading(const std::wstring& path) {
    Close();
    handle_ = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return IsOpen() ? S_OK : LastError();
}

void CSinkFile::Close() {
    if (IsOpen()) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
}

HRESULT CSinkFile::MoveTo(uint64_t offset) {
    if (!IsOpen()) {
        return E_UNEXPECTED;
    }
    if (offset > static_cast<uint64_t>(INT64_MAX)) {
        return E_INVALIDARG;
    }
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN) ? S_OK : LastError();
}

HRESULT CSinkFile::WriteAt(uint64_t offset, const void* data, DWORD size) {
    HRESULT hr = MoveTo(offset);
    if (FAILED(hr)) {
        return hr;
    }
    DWORD written = 0;
    if (!WriteFile(handle_, data, size, &written, nullptr)) {
        return LastError();
    }
    return written == size ? S_OK : HRESULT_FROM_WIN32(ERROR_DISK_FULL);
}

HRESULT CSinkFile::ReadAt(uint64_t offset, void* data, DWORD size, DWORD* read) {
    *read = 0;
    HRESULT hr = MoveTo(offset);
    if (FAILED(hr)) {
        return hr;
    }
    return ReadFile(handle_, data, size, read, nullptr) ? S_OK : LastError();
}

HRESULT CSinkFile::Size(uint64_t* size) {
    LARGE_INTEGER length;
    if (!IsOpen() || !GetFileSizeEx(handle_, &length)) {
        return IsOpen() ? LastError() : E_UNEXPECTED;
    }
    *size = static_cast<uint64_t>(length.QuadPart);
    return S_OK;
}

HRESULT CSinkFile::SetSize(uint64_t size) {
    HRESULT hr = MoveTo(size);
    if (FAILED(hr)) {
        return hr;
    }
    return SetEndOfFile(handle_) ? S_OK : LastError();
}

HRESULT CSinkFile::Flush() {
    if (!IsOpen()) {
        return E_UNEXPECTED;
    }
    return FlushFileBuffers(handle_) ? S_OK : LastError();
}

}  // namespace standins
