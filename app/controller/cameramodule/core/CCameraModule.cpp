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
    std::lock_guard<std::mutex> hold(m_lock);
    FreeLoadedLocked(true);
    ForgetLocked();
}

int CCameraModule::Bind(const char16_t* friendlyName) {
    // The key is found before the lock is taken: the device and board
    // queries are slow, and the poll may go on reading the old module.
    bool usable = friendlyName != nullptr && !BoardProductContains(kModuleFreeBoardFragment);
    std::u16string key;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        key = m_deviceKey;
    }
    if (usable && !m_host.FindDeviceKey(friendlyName, key)) usable = false;

    const std::optional<std::u16string> programFolder = m_host.ProgramFolder();
    if (usable && !programFolder) return 0;

    std::lock_guard<std::mutex> hold(m_lock);
    FreeLoadedLocked(true);
    if (usable) {
        m_moduleFolder = *programFolder + u"\\CamDev\\";
        const std::u16string fileName = m_host.ReadProfileString(
            m_moduleFolder + u"CamDev.ini", kCamDevSection, key, kModulePathCapacity);
        if (!fileName.empty()) {
            // A full path instead of a change of the process's current
            // directory, which other threads share.
            m_library = m_host.LoadModuleLibrary(m_moduleFolder + fileName);
            if (m_library != nullptr && ResolveLocked() && Truth(m_exports.initialize())) {
                m_initialized = true;
                if (Truth(m_exports.setCameraDevice(friendlyName))) {
                    m_deviceKey = key;
                    return 1;
                }
            }
        }
    }
    // Without a usable module the program runs on silently. A module whose
    // Initialize succeeded is told to let go before it is freed.
    FreeLoadedLocked(m_initialized);
    ForgetLocked();
    return 1;
}

bool CCameraModule::ResolveLocked() {
    // All seven are needed, although GetRange and Set are never called: a
    // module lacking any of them does not follow the interface.
    return Resolve(m_host, m_library, "Initialize", m_exports.initialize) &&
           Resolve(m_host, m_library, "Uninitialize", m_exports.uninitialize) &&
           Resolve(m_host, m_library, "GetCaps", m_exports.getCaps) &&
           Resolve(m_host, m_library, "GetRange", m_exports.getRange) &&
           Resolve(m_host, m_library, "Get", m_exports.get) &&
           Resolve(m_host, m_library, "Set", m_exports.set) &&
           Resolve(m_host, m_library, "SetCameraDevice", m_exports.setCameraDevice);
}

void CCameraModule::FreeLoadedLocked(bool uninitialize) {
    if (m_library == nullptr) return;
    if (uninitialize && m_initialized && m_exports.uninitialize) m_exports.uninitialize();
    m_host.FreeModuleLibrary(m_library);
    m_library = nullptr;
    m_initialized = false;
    m_exports = Exports{};
}

void CCameraModule::ForgetLocked() {
    m_exports = Exports{};
    m_deviceKey.clear();
    m_initialized = false;
}

int CCameraModule::GetCaps(int* mask) {
    if (mask == nullptr) return 0;
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_deviceKey.empty()) {
        *mask = 0;
        return 1;
    }
    if (m_library == nullptr || !m_exports.getCaps) return 0;
    return Truth(m_exports.getCaps(mask));
}

int CCameraModule::Get(int control, int* value) {
    if (value == nullptr) return 0;
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_deviceKey.empty()) {
        *value = 0;
        return 1;
    }
    if (m_library == nullptr || !m_exports.get) return 0;
    return Truth(m_exports.get(control, value));
}

bool CCameraModule::IsBound() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_library != nullptr && !m_deviceKey.empty();
}

std::u16string CCameraModule::DeviceKey() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_deviceKey;
}

std::u16string CCameraModule::ModuleFolder() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_moduleFolder;
}

bool CCameraModule::BoardProductContains(const char16_t* fragment) const {
    if (fragment == nullptr) return false;
    return ProductContains(m_host.BoardProduct(), fragment);
}

}  // namespace vimbrel::controller
