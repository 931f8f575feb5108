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

    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }
    // An empty file (or one holding text).
    void Touch(const std::wstring& name, const std::string& content = std::string()) const;

private:
    std::wstring m_path;
};

bool FileExistsW(const std::wstring& path);
inline std::u16string AsU16String(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::string ReadWholeFile(const std::wstring& path);
// A 24-bit bottom-up BMP of one colour.
void WriteSolidBmp(const std::wstring& path, int width, int height, COLORREF colour);

class CFixedClock final : public ILocalClock {
public:
    explicit CFixedClock(LocalTime time) : m_time(time) {}
    LocalTime Now() const override { return m_time; }

private:
    LocalTime m_time;
};

class CTextTable final : public ILanguageStrings {
public:
    explicit CTextTable(std::map<std::u16string, std::u16string> texts) : m_texts(std::move(texts)) {}
    std::u16string GetString(std::u16string_view key) const override {
        auto found = m_texts.find(std::u16string(key));
        return found == m_texts.end() ? std::u16string() : found->second;
    }

private:
    std::map<std::u16string, std::u16string> m_texts;
};

// Items with their kinds; the first is the current one.
class CListSelection final : public IMediaSelection {
public:
    struct Item {
        std::wstring path;
        int kind;
    };
    explicit CListSelection(std::vector<Item> items) : m_items(std::move(items)) {}
    bool GetCurrentFile(std::u16string& path, int& kind) override;
    bool GetSelectedFile(int& index, std::u16string& path, int& kind) override;

private:
    std::vector<Item> m_items;
};

}  // namespace vimbrel::controller::testing
