// The installed version number, which the setup writes to the registry.
#pragma once

#include <cstdint>
#include <optional>

namespace vimbrel::ui {

// Always under HKEY_LOCAL_MACHINE, in the 32-bit view the setup writes.
constexpr const wchar_t* kVersionKeyPath = L"SOFTWARE\\Zavu\\Vimbrel";
constexpr const wchar_t* kVersionValueName = L"Version";

// The 4-byte value `Version`; nothing when the key or value is missing or
// is not four bytes.
std::optional<uint32_t> ReadInstalledVersion();

}  // namespace vimbrel::ui
