#pragma once
// What the tests of the engine binding share: the folder of the running
// test program and the engine library freed again after a test (the
// program itself never frees it).

#include <windows.h>

#include <string>
#include <vector>

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

// The fake's own control exports.
class CFakeLibrary {
public:
    explicit CFakeLibrary(HMODULE module)
        : script_(reinterpret_cast<ScriptFn>(reinterpret_cast<void*>(GetProcAddress(module, "FakeEngine_Script")))),
          log_(reinterpret_cast<LogFn>(reinterpret_cast<void*>(GetProcAddress(module, "FakeEngine_Log")))),
          clear_(reinterpret_cast<ClearFn>(reinterpret_cast<void*>(GetProcAddress(module, "FakeEngine_ClearLog")))) {}
    bool Usable() const { return script_ && log_ && clear_; }
    bool Script(const char* script) const { return script_(script) == 1; }
    void ClearLog() const { clear_(); }
    std::vector<std::string> Log() const {
        std::string text(static_cast<std::size_t>(log_(nullptr, 0)), '\0');
        log_(text.data(), static_cast<int>(text.size()));
        text.resize(text.size() - 1);
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }

private:
    using ScriptFn = int(__cdecl*)(const char*);
    using LogFn = int(__cdecl*)(char*, int);
    using ClearFn = void(__cdecl*)();
    ScriptFn script_;
    LogFn log_;
    ClearFn clear_;
};

}  // namespace vimbrel::controller::test
