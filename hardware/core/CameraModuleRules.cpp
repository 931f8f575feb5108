#include "CameraModuleRules.h"

namespace cameramodule {

int CapabilityMask(ModuleBuild build) { return build == ModuleBuild::Null ? 0 : kRotateStatus; }

std::optional<ControlRange> RangeOf(ModuleBuild build, int control) {
    if (build == ModuleBuild::Null || control != kRotateStatus) return std::nullopt;
    return ControlRange{0, 1, 1, 0};
}

int RotationFromRegister(int32_t registerValue) { return (registerValue & 1) == 0 ? 1 : 0; }

VendorBuffer VendorRotationRequest() { return VendorBuffer{0, 29, 0, 0, 0}; }

int32_t RotationFromVendorReply(const VendorBuffer& reply) { return reply[2]; }

bool DeviceSelection::Select(const char16_t* name, const Finder& find) {
    if (name == nullptr) return false;
    const std::u16string wanted(name);
    if (!name_.empty() && wanted == name_) return true;
    if (find(wanted)) {
        name_ = wanted;
        return true;
    }
    name_.clear();
    return false;
}

}  // namespace cameramodule
