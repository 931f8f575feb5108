#include "EngineLoader.h"

namespace vimbrel::controller {

int BindEngine(CEngineBinding& binding, const std::wstring& programFolder, const std::function<int()>& prepare) {
    if (binding.MarkBound()) return 1;
    if (prepare && !prepare()) return 0;
    if (programFolder.empty()) return 0;
    // Other parts of the program open their files by relative name.
    SetCurrentDirectoryW(programFolder.c_str());
    // The full path: the search order would otherwise prefer a camera.dll
    // beside the running program or in the system folders.
    std::wstring path = programFolder + L"\\camera.dll";
    HMODULE module = LoadLibraryW(path.c_str());
    if (module == nullptr) return 0;
    EngineApi api;
    BindEngineExports(api,
                      [module](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module, name)); });
    binding.Attach(module, api);
    return 1;
}

HMODULE EngineModule(const CEngineBinding& binding) { return static_cast<HMODULE>(binding.Module()); }

}  // namespace vimbrel::controller
