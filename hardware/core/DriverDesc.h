// Finding the friendly name of the chip driver's capture device from the
// data the driver's installation leaves in the machine's registry:
//
//   SOFTWARE\Chipwell\PCCAM\CWP2STD   InstanceIndex = n (DWORD)
//                                     ii0001 .. ii<n> = kernel path of an
//                                       instance, "...\Registry\MACHINE\<key>\Settings"
//   <key>                             DriverDesc = the capture device's name
//
// The registry itself is reached through IDriverRegistry, so the rules can be
// tried without one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace chipaccess {

// Byte limits of the driver's own buffers; every text is cut one short of
// them so that it always ends.
constexpr size_t kInstancePathBytes = 260;
constexpr size_t kInstanceKeyBytes = 128;
constexpr size_t kDriverDescBytes = 128;
constexpr size_t kFriendlyNameBytes = 80;
// The value names have four digits; a larger count cannot name anything and
// would only keep the search spinning.
constexpr uint32_t kMostInstances = 9999;

class IDriverRegistry {
public:
    virtual ~IDriverRegistry() = default;
    // Opens the driver's key for reading; false when it is missing.
    virtual bool OpenDriverKey() = 0;
    // "InstanceIndex" of the driver's key, 0 when absent.
    virtual uint32_t InstanceCount() = 0;
    // A string value of the driver's key; empty when absent.
    virtual std::string InstanceValue(const std::string& name) = 0;
    // Opens a key below HKEY_LOCAL_MACHINE and reads its "DriverDesc";
    // nullopt when the key cannot be opened, empty when the value is absent.
    virtual std::optional<std::string> ReadDriverDesc(const std::string& keyPath) = 0;
};

// "ii%04d".
std::string InstanceValueName(uint32_t index);

// The key of an instance below HKEY_LOCAL_MACHINE: the text after
// "\Registry\MACHINE\", up to the first "\Settings" after it; a text without
// that prefix is taken whole.
std::string InstanceKeyPath(std::string_view kernelPath);

// The DriverDesc of the last listed instance (empty when none is listed), or
// nullopt when the driver's key or a listed instance's key cannot be opened.
std::optional<std::string> FindDriverDesc(IDriverRegistry& registry);

// The capture device belongs to the driver when its name, as the system code
// page spells it, equals the DriverDesc. An empty DriverDesc names no device.
bool NameMatchesDriverDesc(std::string_view ansiFriendlyName, std::string_view driverDesc);

// Cuts a text to fit a buffer of `bytes` bytes with its terminator.
std::string FitToBuffer(std::string_view text, size_t bytes);

}  // namespace chipaccess
