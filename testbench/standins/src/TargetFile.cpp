#include "TargetFile.h"

namespace standins {
namespace {

// Longer than any path Windows opens.
constexpr size_t kMaxName = 32767;

}  // namespace

HRESULT CTargetFile::SetName(const wchar_t* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    const size_t length = wcsnlen(name, kMaxName + 1);
    if (length == 0 || length > kMaxName) {
        return E_INVALIDARG;
    }
    std::lock_guard<std::mutex> hold(lock_);
    name_.assign(name, length);
    return S_OK;
}

std::wstring CTargetFile::Name() {
    std::lock_guard<std::mutex> hold(lock_);
    return name_;
}

void CTargetFile::SetOverwrite(bool overwrite) {
    std::lock_guard<std::mutex> hold(lock_);
    overwrite_ = overwrite;
}

bool CTargetFile::Overwrite() {
    std::lock_guard<std::mutex> hold(lock_);
    return overwrite_;
}

HRESULT CTargetFile::Begin() {
    std::lock_guard<std::mutex> hold(lock_);
    if (name_.empty()) {
        return E_UNEXPECTED;
    }
    appendAt_ = 0;
    return file_.Open(name_, overwrite_);
}

void CTargetFile::End() {
    std::lock_guard<std::mutex> hold(lock_);
    file_.Close();
}

template <class Action>
HRESULT CTargetFile::WithFile(bool forWriting, Action action) {
    std::lock_guard<std::mutex> hold(lock_);
    if (file_.IsOpen()) {
        return action(file_);
    }
    if (name_.empty()) {
        return E_UNEXPECTED;
    }
    CSinkFile once;
    const HRESULT hr = forWriting ? once.Open(name_, false) : once.OpenForReading(name_);
    if (FAILED(hr)) {
        return hr;
    }
    return action(once);
}

HRESULT CTargetFile::WriteAt(uint64_t offset, const void* data, DWORD size) {
    return WithFile(true, [&](CSinkFile& file) {
        const HRESULT hr = file.WriteAt(offset, data, size);
        if (SUCCEEDED(hr)) {
            appendAt_ = offset + size;
        }
        return hr;
    });
}

HRESULT CTargetFile::Append(const void* data, DWORD size) {
    return WithFile(true, [&](CSinkFile& file) {
        const HRESULT hr = file.WriteAt(appendAt_, data, size);
        if (SUCCEEDED(hr)) {
            appendAt_ += size;
        }
        return hr;
    });
}

HRESULT CTargetFile::ReadAt(uint64_t offset, void* data, DWORD size, DWORD* read) {
    return WithFile(false, [&](CSinkFile& file) { return file.ReadAt(offset, data, size, read); });
}

HRESULT CTargetFile::Size(uint64_t* size) {
    return WithFile(false, [&](CSinkFile& file) { return file.Size(size); });
}

HRESULT CTargetFile::SetSize(uint64_t size) {
    return WithFile(true, [&](CSinkFile& file) { return file.SetSize(size); });
}

HRESULT CTargetFile::Flush() {
    return WithFile(true, [&](CSinkFile& file) { return file.Flush(); });
}

}  // namespace standins
