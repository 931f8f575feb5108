#pragma once
// A module host for tests: devices, board, CamDev.ini and libraries from a
// script, and one fake module whose exports answer from a script and write
// down each call.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ModuleHost.h"

namespace vimbrel::controller::test {

struct FakeModuleScript {
    int initialize = 1;
    int setCameraDevice = 1;
    int getCaps = 1;
    int caps = 0x10;
    int get = 1;
    int rotateStatus = 0;
    // Run inside Get after its call is written down (a module that hangs).
    std::function<void()> duringGet;
    std::vector<std::string> calls;
};
// The fake module's script and log (one module per process).
FakeModuleScript& FakeModule();

class CScriptedModuleHost final : public IModuleHost {
public:
    std::optional<std::u16string> ProgramFolder() const override { return programFolder; }
    int FindDeviceKey(const char16_t* name, std::u16string& key) const override;
    std::u16string BoardProduct() const override {
        ++boardQueries;
        return boardProduct;
    }
    std::u16string ReadProfileString(const std::u16string& path, const char16_t* section, const std::u16string& key,
                                     std::size_t capacity) const override;
    void* LoadModuleLibrary(const std::u16string& path) override;
    void* FindModuleExport(void* library, const char* name) override;
    void FreeModuleLibrary(void* library) override;

    std::optional<std::u16string> programFolder = u"C:\\Vimbrel";
    // Friendly name -> instance id of the present devices.
    std::map<std::u16string, std::u16string> devices;
    std::u16string boardProduct = u"Generic Board";
    // (path, key) -> value of section "Camera Module".
    std::map<std::pair<std::u16string, std::u16string>, std::u16string> profile;
    // Paths that load, and the exports each lacks.
    std::map<std::u16string, std::vector<std::string>> libraries;

    std::vector<std::u16string> loaded;       // paths, in load order
    std::vector<std::u16string> profileKeys;  // keys asked
    int liveLibraries = 0;
    mutable int boardQueries = 0;

private:
    std::map<void*, std::u16string> handles_;
    int next_ = 1;
};

}  // namespace vimbrel::controller::test
