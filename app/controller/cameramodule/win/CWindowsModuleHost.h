#pragma once
// The camera module's host on Windows: the program's folder, the present
// devices through SetupAPI and the configuration manager, the board's
// product through WMI, CamDev.ini through the profile API, and the module
// libraries through LoadLibraryW.

#include <functional>

#include "CRotationPoll.h"
#include "ModuleHost.h"

namespace vimbrel::controller {

class CWindowsModuleHost : public IModuleHost {
public:
    // programFolder replaces the running program's folder (tests);
    // boardProduct answers the board's product name (the program's one
    // query, CBoardProductQuery), else WMI is asked on the spot.
    explicit CWindowsModuleHost(std::optional<std::u16string> programFolder = std::nullopt,
                                std::function<std::u16string()> boardProduct = nullptr)
        : programFolder_(std::move(programFolder)), boardProduct_(std::move(boardProduct)) {}

    std::optional<std::u16string> ProgramFolder() const override;
    int FindDeviceKey(const char16_t* name, std::u16string& key) const override;
    std::u16string BoardProduct() const override;
    std::u16string ReadProfileString(const std::u16string& path, const char16_t* section, const std::u16string& key,
                                     std::size_t capacity) const override;
    void* LoadModuleLibrary(const std::u16string& path) override;
    void* FindModuleExport(void* library, const char* name) override;
    void FreeModuleLibrary(void* library) override;

private:
    std::optional<std::u16string> programFolder_;
    std::function<std::u16string()> boardProduct_;
};

// The modules do not start COM themselves, so the poll thread joins the
// multithreaded apartment for its life.
CRotationPoll::ThreadHooks ComPollThreadHooks();

}  // namespace vimbrel::controller
