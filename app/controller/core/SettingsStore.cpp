#include "SettingsStore.h"

namespace vimbrel::controller {

std::u16string SettingValueName(int settingId) {
    std::string digits = std::to_string(settingId);
    return std::u16string(digits.begin(), digits.end());
}

std::optional<std::uint32_t> CMemorySettingsStore::ReadDword(std::u16string_view name) const {
    auto found = m_dwords.find(name);
    if (!keyExists || found == m_dwords.end()) return std::nullopt;
    return found->second;
}

bool CMemorySettingsStore::WriteDword(std::u16string_view name, std::uint32_t value) {
    if (failWrites) return false;
    keyExists = true;
    m_foreign.erase(std::u16string(name));
    m_strings.erase(std::u16string(name));
    m_dwords[std::u16string(name)] = value;
    return true;
}

std::optional<std::u16string> CMemorySettingsStore::ReadString(std::u16string_view name,
                                                               std::size_t maxChars) const {
    auto found = m_strings.find(name);
    if (!keyExists || found == m_strings.end() || maxChars == 0) return std::nullopt;
    return found->second.substr(0, maxChars - 1);
}

bool CMemorySettingsStore::WriteString(std::u16string_view name, std::u16string_view text) {
    if (failWrites || !keyExists) return false;
    m_foreign.erase(std::u16string(name));
    m_dwords.erase(std::u16string(name));
    m_strings[std::u16string(name)] = std::u16string(text);
    return true;
}

void CMemorySettingsStore::PutForeignValue(std::u16string_view name) {
    keyExists = true;
    m_dwords.erase(std::u16string(name));
    m_strings.erase(std::u16string(name));
    m_foreign[std::u16string(name)] = 1;
}

bool CMemorySettingsStore::Has(std::u16string_view name) const {
    return m_dwords.count(name) || m_strings.count(name) || m_foreign.count(name);
}

}  // namespace vimbrel::controller
