#pragma once
// What binding a camera module needs from the system: the program folder,
// the device behind a camera's friendly name, the board's product name, the
// module list in CamDev.ini, and loading a library with its exports. The
// Windows implementation lies in win/; tests script their own.

#include <optional>
#include <string>

namespace vimbrel::controller {

class IModuleHost {
public:
    virtual ~IModuleHost() = default;

    // The running program's folder without a trailing backslash; nullopt
    // when it cannot be determined.
    virtual std::optional<std::u16string> ProgramFolder() const = 0;

    // The first present device whose friendly name (or, lacking one, its
    // description) equals name writes VID_xxxx&PID_xxxx of its instance id
    // into key and answers 1. No matching device, or an instance id that
    // cannot be read, leaves key as it was and answers 1; an id without a
    // vendor or product part answers 0.
    virtual int FindDeviceKey(const char16_t* name, std::u16string& key) const = 0;

    // The main board's product name; empty when it cannot be read.
    virtual std::u16string BoardProduct() const = 0;

    // The value of key in section of the profile file at path, at most
    // capacity - 1 characters; empty when missing.
    virtual std::u16string ReadProfileString(const std::u16string& path, const char16_t* section,
                                             const std::u16string& key, std::size_t capacity) const = 0;

    // A library by its full path; null when it does not load.
    virtual void* LoadModuleLibrary(const std::u16string& path) = 0;
    virtual void* FindModuleExport(void* library, const char* name) = 0;
    virtual void FreeModuleLibrary(void* library) = 0;
};

}  // namespace vimbrel::controller
