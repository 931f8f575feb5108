// What the camera modules answer, independent of how they reach the camera:
// which controls each build offers, their ranges, how the rotation status is
// read from the chip register or the vendor reply, and the remembered device.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace cameramodule {

enum class ModuleBuild { Rotation, VendorInterface, Null };

// Control 16: read-only, 1 while the camera is turned.
constexpr int kRotateStatus = 16;

struct ControlRange {
    int minimum;
    int maximum;
    int step;
    int defaultValue;
};

// The OR of the controls a build supports.
int CapabilityMask(ModuleBuild build);

// The range of a supported control; nothing for any other id.
std::optional<ControlRange> RangeOf(ModuleBuild build, int control);

// The chip keeps the sensor's orientation in bit 0 of this register: clear
// while the camera is turned.
constexpr int32_t kRotationRegister = 0x1009;
int RotationFromRegister(int32_t registerValue);

// The vendor interface answers a request of five ints whose second names
// the rotation status; the value comes back in the third.
using VendorBuffer = std::array<int32_t, 5>;
constexpr uint32_t kVendorBufferBytes = 20;
VendorBuffer VendorRotationRequest();
int32_t RotationFromVendorReply(const VendorBuffer& reply);

// The capture device a module works on, by its friendly name (empty while
// none is selected).
class DeviceSelection {
public:
    // Looks for a device by its exact name and binds whatever the module
    // needs of it; true when one was found and bound.
    using Finder = std::function<bool(const std::u16string& name)>;

    // A null name is refused and changes nothing; the name already selected
    // is accepted without looking again; otherwise the finder decides, and a
    // name it cannot find empties the selection.
    bool Select(const char16_t* name, const Finder& find);
    void Clear() { name_.clear(); }

    bool HasDevice() const { return !name_.empty(); }
    const std::u16string& Name() const { return name_; }

private:
    std::u16string name_;
};

}  // namespace cameramodule
