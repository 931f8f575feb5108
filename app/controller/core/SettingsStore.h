#pragma once
// Where the settings live between runs: DWORD and string values named by
// text (a setting id in decimal, or "VideoDev" / "AudioDev") under one key.
// The registry on Windows; a map in memory for the tests.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vimbrel::controller {

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // The value, or nullopt when the key or the value is missing or the
    // value is not a 4-byte DWORD.
    virtual std::optional<std::uint32_t> ReadDword(std::u16string_view name) const = 0;
    // Creates the key when it is missing; false when the value cannot be written.
    virtual bool WriteDword(std::u16string_view name, std::uint32_t value) = 0;
    // The text, cut to maxChars - 1 units; nullopt when missing or not a string.
    virtual std::optional<std::u16string> ReadString(std::u16string_view name, std::size_t maxChars) const = 0;
    // Writes into an existing key only: false when the key is missing.
    virtual bool WriteString(std::u16string_view name, std::u16string_view text) = 0;
};

// The id of a setting as its value's name: "%i".
std::u16string SettingValueName(int settingId);

class CMemorySettingsStore final : public ISettingsStore {
public:
    std::optional<std::uint32_t> ReadDword(std::u16string_view name) const override;
    bool WriteDword(std::u16string_view name, std::uint32_t value) override;
    std::optional<std::u16string> ReadString(std::u16string_view name, std::size_t maxChars) const override;
    bool WriteString(std::u16string_view name, std::u16string_view text) override;

    // For tests: whether the key exists, a value of a foreign type, a key
    // that refuses writes.
    bool keyExists = false;
    bool failWrites = false;
    void PutForeignValue(std::u16string_view name);
    bool Has(std::u16string_view name) const;

private:
    std::map<std::u16string, std::uint32_t, std::less<>> dwords_;
    std::map<std::u16string, std::u16string, std::less<>> strings_;
    std::map<std::u16string, int, std::less<>> foreign_;
};

}  // namespace vimbrel::controller
