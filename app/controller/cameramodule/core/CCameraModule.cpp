#include "CCameraModule.h"

#include "DeviceKey.h"

namespace vimbrel::controller {
namespace {

// The module answers an int whose low byte carries its truth.
int Truth(int answer) { return (answer & 0xFF) != 0 ? 1 : 0; }

template <typename Fn>
bool ResolveOne(IModuleHost& host, void* library, const char* name, Fn& slot) {
    slot = reinterpret_cast<Fn>(host.FindModuleExport(library, name));
    return slot != nullptr;
}

}  // namespace

CCameraModule::~CCameraModule() { Unbind(); }

void CCameraModule::Unbind() {
    std::shared_ptr<Loaded> old;
    {
        std::lock_guard<std::mutex> hold(lock_);
        old = std::move(loaded_);
        deviceKey_.clear();
    }
    Release(old, true);
}

void CCameraModule::Release(const std::shared_ptr<Loaded>& module, bool uninitialize) {
    if (!module) return;
    std::unique_lock<std::timed_mutex> gate(module->calls, kModuleCallWait);
    // A call still inside the module runs in its code: the library stays
    // loaded for the rest of the process rather than be pulled from under it.
    if (!gate.owns_lock() || module->library == nullptr) return;
    if (uninitialize && module->initialized && module->exports.uninitialize) module->exports.uninitialize();
    host_.FreeModuleLibrary(module->library);
    module->library = nullptr;
}

int CCameraModule::Bind(const char16_t* friendlyName) {
    // The key is found before the lock is taken: the device and board
    // queries are slow, and the poll may go on reading the old module.
    bool usable = friendlyName != nullptr && !BoardProductContains(kModuleFreeBoardFragment);
    std::u16string key;
    {
        std::lock_guard<std::mutex> hold(lock_);
        key = deviceKey_;
    }
    if (usable && !host_.FindDeviceKey(friendlyName, key)) usable = false;

    const std::optional<std::u16string> programFolder = host_.ProgramFolder();
    if (usable && !programFolder) return 0;

    Unbind();
    if (!usable) return 1;
    const std::u16string folder = *programFolder + u"\\CamDev\\";
    {
        std::lock_guard<std::mutex> hold(lock_);
        moduleFolder_ = folder;
    }
    const std::u16string fileName = host_.ReadProfileString(folder + u"CamDev.ini", kCamDevSection, key,
                                                            kModulePathCapacity);
    if (fileName.empty()) return 1;
    // A full path instead of a change of the process's current directory,
    // which other threads share. The new module is not seen by any other
    // thread until it is bound, so its start needs no gate.
    auto module = std::make_shared<Loaded>();
    module->library = host_.LoadModuleLibrary(folder + fileName);
    if (module->library != nullptr && Resolve(*module) && Truth(module->exports.initialize())) {
        module->initialized = true;
        if (Truth(module->exports.setCameraDevice(friendlyName))) {
            std::lock_guard<std::mutex> hold(lock_);
            loaded_ = std::move(module);
            deviceKey_ = key;
            return 1;
        }
    }
    // Without a usable module the program runs on silently. A module whose
    // Initialize succeeded is told to let go before it is freed.
    Release(module, module->initialized);
    return 1;
}

bool CCameraModule::Resolve(Loaded& module) {
    // All seven are needed, although GetRange and Set are never called: a
    // module lacking any of them does not follow the interface.
    Exports& e = module.exports;
    void* library = module.library;
    return ResolveOne(host_, library, "Initialize", e.initialize) &&
           ResolveOne(host_, library, "Uninitialize", e.uninitialize) &&
           ResolveOne(host_, library, "GetCaps", e.getCaps) && ResolveOne(host_, library, "GetRange", e.getRange) &&
           ResolveOne(host_, library, "Get", e.get) && ResolveOne(host_, library, "Set", e.set) &&
           ResolveOne(host_, library, "SetCameraDevice", e.setCameraDevice);
}

template <typename Call>
int CCameraModule::CallBound(int* out, Call call) {
    if (out == nullptr) return 0;
    std::shared_ptr<Loaded> module;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (deviceKey_.empty()) {
            *out = 0;
            return 1;
        }
        module = loaded_;
    }
    if (!module) return 0;
    std::unique_lock<std::timed_mutex> gate(module->calls, kModuleCallWait);
    if (!gate.owns_lock() || module->library == nullptr) return 0;
    return call(module->exports);
}

int CCameraModule::GetCaps(int* mask) {
    return CallBound(mask, [mask](const Exports& e) { return e.getCaps ? Truth(e.getCaps(mask)) : 0; });
}

int CCameraModule::Get(int control, int* value) {
    return CallBound(value, [control, value](const Exports& e) { return e.get ? Truth(e.get(control, value)) : 0; });
}

bool CCameraModule::IsBound() const {
    std::lock_guard<std::mutex> hold(lock_);
    return loaded_ != nullptr && !deviceKey_.empty();
}

std::u16string CCameraModule::DeviceKey() const {
    std::lock_guard<std::mutex> hold(lock_);
    return deviceKey_;
}

std::u16string CCameraModule::ModuleFolder() const {
    std::lock_guard<std::mutex> hold(lock_);
    return moduleFolder_;
}

bool CCameraModule::BoardProductContains(const char16_t* fragment) const {
    if (fragment == nullptr) return false;
    std::optional<std::u16string> product;
    {
        std::lock_guard<std::mutex> hold(lock_);
        product = boardProduct_;
    }
    // Asked outside the lock: the board's answer can take long.
    if (!product) {
        product = host_.BoardProduct();
        std::lock_guard<std::mutex> hold(lock_);
        boardProduct_ = product;
    }
    return ProductContains(*product, fragment);
}

}  // namespace vimbrel::controller
