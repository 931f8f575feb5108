#include "CCameraModule.h"

#include "DeviceKey.h"

namespace vimbrel::controller {
namespace {

// The module answers an int whose low byte carries its truth.
int Truth(int answer) { return (answer & 0xFF) != 0 ? 1 : 0; }

template <typename Fn>
bool Resolve(IModuleHost& host, void* library, const char* name, Fn& slot) {
    slot = reinterpret_cast<Fn>(host.FindModuleExport(library, name));
    return slot != nullptr;
}

}  // namespace

CCameraModule::~CCameraModule() { Unbind(); }

void CCameraModule::Unbind() {
    std::lock_guard<std::mutex> hold(lock_);
    FreeLoadedLocked(true);
    ForgetLocked();
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

    std::lock_guard<std::mutex> hold(lock_);
    FreeLoadedLocked(true);
    if (usable) {
        moduleFolder_ = *programFolder + u"\\CamDev\\";
        const std::u16string fileName = host_.ReadProfileString(moduleFolder_ + u"CamDev.ini", kCamDevSection, key,
                                                                kModulePathCapacity);
        if (!fileName.empty()) {
            // A full path instead of a change of the process's current
            // directory, which other threads share.
            library_ = host_.LoadModuleLibrary(moduleFolder_ + fileName);
            if (library_ != nullptr && ResolveLocked() && Truth(exports_.initialize())) {
                initialized_ = true;
                if (Truth(exports_.setCameraDevice(friendlyName))) {
                    deviceKey_ = key;
                    return 1;
                }
            }
        }
    }
    // Without a usable module the program runs on silently. A module whose
    // Initialize succeeded is told to let go before it is freed.
    FreeLoadedLocked(initialized_);
    ForgetLocked();
    return 1;
}

bool CCameraModule::ResolveLocked() {
    // All seven are needed, although GetRange and Set are never called: a
    // module lacking any of them does not follow the interface.
    return Resolve(host_, library_, "Initialize", exports_.initialize) &&
           Resolve(host_, library_, "Uninitialize", exports_.uninitialize) &&
           Resolve(host_, library_, "GetCaps", exports_.getCaps) &&
           Resolve(host_, library_, "GetRange", exports_.getRange) && Resolve(host_, library_, "Get", exports_.get) &&
           Resolve(host_, library_, "Set", exports_.set) &&
           Resolve(host_, library_, "SetCameraDevice", exports_.setCameraDevice);
}

void CCameraModule::FreeLoadedLocked(bool uninitialize) {
    if (library_ == nullptr) return;
    if (uninitialize && initialized_ && exports_.uninitialize) exports_.uninitialize();
    host_.FreeModuleLibrary(library_);
    library_ = nullptr;
    initialized_ = false;
    exports_ = Exports{};
}

void CCameraModule::ForgetLocked() {
    exports_ = Exports{};
    deviceKey_.clear();
    initialized_ = false;
}

int CCameraModule::GetCaps(int* mask) {
    if (mask == nullptr) return 0;
    std::lock_guard<std::mutex> hold(lock_);
    if (deviceKey_.empty()) {
        *mask = 0;
        return 1;
    }
    if (library_ == nullptr || !exports_.getCaps) return 0;
    return Truth(exports_.getCaps(mask));
}

int CCameraModule::Get(int control, int* value) {
    if (value == nullptr) return 0;
    std::lock_guard<std::mutex> hold(lock_);
    if (deviceKey_.empty()) {
        *value = 0;
        return 1;
    }
    if (library_ == nullptr || !exports_.get) return 0;
    return Truth(exports_.get(control, value));
}

bool CCameraModule::IsBound() const {
    std::lock_guard<std::mutex> hold(lock_);
    return library_ != nullptr && !deviceKey_.empty();
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
    return ProductContains(host_.BoardProduct(), fragment);
}

}  // namespace vimbrel::controller
