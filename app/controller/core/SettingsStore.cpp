#include "SettingsStore.h"

namespace vimbrel::controller {

std::u16string SettingValueName(int settingId) {
    std::string digits = std::to_string(settingId);
    return std::u16string(digits.begin(), digits.end());
}

std::optional<std::uint32_t> CMemorySettingsStore::ReadDword(std::u16string_view name) const {
    auto found = dwords_.find(name);
    if (!keyExists || found == dwords_.end()) return std::nullopt;
    return found->second;
}

bool CMemorySettingsStore::WriteDword(std::u16string_view name, std::uint32_t value) {
    if (failWrites) return false;
    keyExists = true;
    foreign_.erase(std::u16string(name));
    strings_.erase(std::u16string(name));
    dwords_[std::u16string(name)] = value;
    return true;
}

std::optional<std::u16string> CMemorySettingsStore::ReadString(std::u16string_view name, std::size_t maxChars) const {
    auto found = strings_.find(name);
    if (!keyExists || found == strings_.end() || maxChars == 0) return std::nullopt;
    return found->second.substr(0, maxChars - 1);
}

bool CMemorySettingsStore::WriteString(std::u16string_view name, std::u16string_view text) {
    if (failWrites || !keyExists) return false;
    foreign_.erase(std::u16string(name));
    dwords_.erase(std::u16string(name));
    strings_[std::u16string(name)] = std::u16string(text);
    return true;
}

void CMemorySettingsStore::PutForeignValue(std::u16string_view name) {
    keyExists = true;
    dwords_.erase(std::u16string(name));
    strings_.erase(std::u16string(name));
    foreign_[std::u16string(name)] = 1;
}

bool CMemorySettingsStore::Has(std::u16string_view name) const {
    return dwords_.count(name) || strings_.count(name) || foreign_.count(name);
}

}  // namespace vimbrel::controller
