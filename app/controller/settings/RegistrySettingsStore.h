#pragma once
// The settings key in the registry: "SOFTWARE\Zavu\Vimbrel" under the
// current user when the Windows major version is above 5, else under the
// local machine.

#include <windows.h>

#include <string>

#include "SettingsStore.h"

namespace vimbrel::controller {

constexpr wchar_t kSettingsKeyPath[] = L"SOFTWARE\\Zavu\\Vimbrel";

class CRegistrySettingsStore final : public ISettingsStore {
public:
    // windowsAbove5 is IsWindowsAbove5() in the program; keyPath is another
    // key only for tests.
    explicit CRegistrySettingsStore(bool windowsAbove5, std::wstring keyPath = kSettingsKeyPath);

    HKEY Root() const { return root_; }
    const std::wstring& KeyPath() const { return keyPath_; }

    std::optional<std::uint32_t> ReadDword(std::u16string_view name) const override;
    bool WriteDword(std::u16string_view name, std::uint32_t value) override;
    std::optional<std::u16string> ReadString(std::u16string_view name, std::size_t maxChars) const override;
    bool WriteString(std::u16string_view name, std::u16string_view text) override;

private:
    HKEY root_;
    std::wstring keyPath_;
};

}  // namespace vimbrel::controller
