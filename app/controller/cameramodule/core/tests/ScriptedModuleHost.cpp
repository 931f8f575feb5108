#include "ScriptedModuleHost.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "DeviceKey.h"

namespace vimbrel::controller::test {
namespace {

int Initialize() {
    FakeModule().calls.push_back("Initialize");
    return FakeModule().initialize;
}
int Uninitialize() {
    FakeModule().calls.push_back("Uninitialize");
    return 1;
}
int SetCameraDevice(const char16_t* name) {
    FakeModule().calls.push_back("SetCameraDevice(" +
                                 std::string(name, name + std::char_traits<char16_t>::length(name)) + ")");
    return FakeModule().setCameraDevice;
}
int GetCaps(int* mask) {
    FakeModule().calls.push_back("GetCaps");
    *mask = FakeModule().caps;
    return FakeModule().getCaps;
}
int GetRange(int, int*, int*, int*, int*) { return 0; }
int Get(int control, int* value) {
    FakeModule().calls.push_back("Get(" + std::to_string(control) + ")");
    // The call runs its own copy: a test may take the hook away while a
    // call it holds up is still inside it.
    if (const std::function<void()> during = FakeModule().duringGet) during();
    *value = FakeModule().rotateStatus;
    return FakeModule().get;
}
int Set(int, int) { return 0; }

}  // namespace

FakeModuleScript& FakeModule() {
    static FakeModuleScript script;
    return script;
}

int CScriptedModuleHost::FindDeviceKey(const char16_t* name, std::u16string& key) const {
    if (name == nullptr) return 0;
    auto found = devices.find(name);
    if (found == devices.end()) return 1;
    std::optional<std::u16string> made = DeviceKeyFromInstanceId(found->second);
    if (!made) return 0;
    key = *made;
    return 1;
}

std::u16string CScriptedModuleHost::ReadProfileString(const std::u16string& path, const char16_t* section,
                                                      const std::u16string& key, std::size_t capacity) const {
    const_cast<CScriptedModuleHost*>(this)->profileKeys.push_back(key);
    if (std::u16string(section) != u"Camera Module") return {};
    auto found = profile.find({path, key});
    if (found == profile.end()) return {};
    return found->second.substr(0, capacity - 1);
}

void* CScriptedModuleHost::LoadModuleLibrary(const std::u16string& path) {
    loaded.push_back(path);
    if (libraries.count(path) == 0) return nullptr;
    void* handle = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x100 * next_++));
    handles_[handle] = path;
    ++liveLibraries;
    return handle;
}

void* CScriptedModuleHost::FindModuleExport(void* library, const char* name) {
    auto handle = handles_.find(library);
    if (handle == handles_.end()) return nullptr;
    const std::vector<std::string>& lacking = libraries[handle->second];
    if (std::find(lacking.begin(), lacking.end(), name) != lacking.end()) return nullptr;
    const std::string wanted(name);
    if (wanted == "Initialize") return reinterpret_cast<void*>(&Initialize);
    if (wanted == "Uninitialize") return reinterpret_cast<void*>(&Uninitialize);
    if (wanted == "SetCameraDevice") return reinterpret_cast<void*>(&SetCameraDevice);
    if (wanted == "GetCaps") return reinterpret_cast<void*>(&GetCaps);
    if (wanted == "GetRange") return reinterpret_cast<void*>(&GetRange);
    if (wanted == "Get") return reinterpret_cast<void*>(&Get);
    if (wanted == "Set") return reinterpret_cast<void*>(&Set);
    return nullptr;
}

void CScriptedModuleHost::FreeModuleLibrary(void* library) {
    if (handles_.erase(library) == 1) {
        --liveLibraries;
        FakeModule().calls.push_back("Free");
    }
}

}  // namespace vimbrel::controller::test
