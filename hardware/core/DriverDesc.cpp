#include "DriverDesc.h"

#include <cstdio>

namespace chipaccess {

namespace {

constexpr std::string_view kMachinePrefix = "\\Registry\\MACHINE\\";
constexpr std::string_view kSettingsSuffix = "\\Settings";

}  // namespace

std::string InstanceValueName(uint32_t index) {
    char name[16];
    std::snprintf(name, sizeof name, "ii%04u", static_cast<unsigned>(index));
    return name;
}

std::string InstanceKeyPath(std::string_view kernelPath) {
    const size_t prefix = kernelPath.find(kMachinePrefix);
    if (prefix == std::string_view::npos) return std::string(kernelPath);
    std::string_view key = kernelPath.substr(prefix + kMachinePrefix.size());
    const size_t settings = key.find(kSettingsSuffix);
    if (settings != std::string_view::npos) key = key.substr(0, settings);
    return std::string(key);
}

std::string FitToBuffer(std::string_view text, size_t bytes) {
    if (bytes == 0) return std::string();
    const size_t end = text.find('\0');
    if (end != std::string_view::npos) text = text.substr(0, end);
    return std::string(text.substr(0, bytes - 1));
}

std::optional<std::string> FindDriverDesc(IDriverRegistry& registry) {
    if (!registry.OpenDriverKey()) return std::nullopt;
    uint32_t count = registry.InstanceCount();
    if (count > kMostInstances) count = kMostInstances;
    std::string driverDesc;
    for (uint32_t i = 1; i <= count; ++i) {
        const std::string kernelPath = FitToBuffer(registry.InstanceValue(InstanceValueName(i)), kInstancePathBytes);
        if (kernelPath.empty()) continue;
        const std::string keyPath = InstanceKeyPath(kernelPath);
        // A path cut short would open some other key: treat it as unopenable.
        if (keyPath.size() >= kInstanceKeyBytes) return std::nullopt;
        const std::optional<std::string> desc = registry.ReadDriverDesc(keyPath);
        if (!desc) return std::nullopt;
        driverDesc = FitToBuffer(*desc, kDriverDescBytes);
    }
    return driverDesc;
}

bool NameMatchesDriverDesc(std::string_view ansiFriendlyName, std::string_view driverDesc) {
    const std::string desc = FitToBuffer(driverDesc, kDriverDescBytes);
    return !desc.empty() && FitToBuffer(ansiFriendlyName, kFriendlyNameBytes) == desc;
}

}  // namespace chipaccess
