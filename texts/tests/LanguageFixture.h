#pragma once
// Language files for the tests, written as the installer writes them:
// UTF-16LE with a byte-order mark, CR LF line ends.

#include <windows.h>

#include <string>

namespace vimbrel::texts::test {

class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Writes text (with "\n" line ends) as UTF-16LE with a BOM and CR LF.
bool WriteUtf16File(const std::wstring& path, const std::wstring& text);
bool WriteBytes(const std::wstring& path, const std::string& bytes);

}  // namespace vimbrel::texts::test
