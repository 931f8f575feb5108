#pragma once
// Helpers of the media-file tests under Wine: a scratch folder on the
// prefix's disk, small pictures written byte by byte, a fixed clock, texts
// by key, and a browse selection given as a list.

#include "ControllerPorts.h"
#include "MediaSelection.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace vimbrel::controller::testing {

// A fresh folder under the temporary folder, removed with its files.
class CScratchFolder {
public:
    explicit CScratchFolder(const wchar_t* name);
    ~CScratchFolder();
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
    // An empty file (or one holding text).
    void Touch(const std::wstring& name, const std::string& content = std::string()) const;

private:
    std::wstring path_;
};

bool FileExistsW(const std::wstring& path);
inline std::u16string AsU16String(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::string ReadWholeFile(const std::wstring& path);
// A 24-bit bottom-up BMP of one colour.
void WriteSolidBmp(const std::wstring& path, int width, int height, COLORREF colour);

class CFixedClock final : public ILocalClock {
public:
    explicit CFixedClock(LocalTime time) : time_(time) {}
    LocalTime Now() const override { return time_; }

private:
    LocalTime time_;
};

class CTextTable final : public ILanguageStrings {
public:
    explicit CTextTable(std::map<std::u16string, std::u16string> texts) : texts_(std::move(texts)) {}
    std::u16string GetString(std::u16string_view key) const override {
        auto found = texts_.find(std::u16string(key));
        return found == texts_.end() ? std::u16string() : found->second;
    }

private:
    std::map<std::u16string, std::u16string> texts_;
};

// Items with their kinds; the first is the current one.
class CListSelection final : public IMediaSelection {
public:
    struct Item {
        std::wstring path;
        int kind;
    };
    explicit CListSelection(std::vector<Item> items) : items_(std::move(items)) {}
    bool GetCurrentFile(std::u16string& path, int& kind) override;
    bool GetSelectedFile(int& index, std::u16string& path, int& kind) override;

private:
    std::vector<Item> items_;
};

}  // namespace vimbrel::controller::testing
