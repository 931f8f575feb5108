#pragma once
// What the tests of the engine binding share: the folder of the running
// test program and the engine library freed again after a test (the
// program itself never frees it).

#include <windows.h>

#include <string>

#include "CEngineBinding.h"
#include "EngineLoader.h"

namespace vimbrel::controller::test {

inline std::wstring TestProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

inline std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, length);
}

inline void FreeEngine(CEngineBinding& binding) {
    if (HMODULE module = EngineModule(binding)) FreeLibrary(module);
    binding.Attach(nullptr, EngineApi());
}

}  // namespace vimbrel::controller::test
