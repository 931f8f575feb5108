#pragma once
// The controller's side of the camera module: after every engine start or
// camera change it reads which picture properties the camera has (removing
// the function panel items of missing ones), asks the module for its
// capabilities, enables the shoot modes the module offers and follows the
// camera's rotation from a poll that switches mirroring off while the
// camera is turned.

#include <atomic>
#include <chrono>

#include "CCameraModule.h"
#include "CControllerSettings.h"
#include "CEngineBinding.h"
#include "CRotationPoll.h"
#include "ControllerPartners.h"
#include "FeatureCatalog.h"

namespace vimbrel::controller {

// Capability bits of a module.
enum ModuleCapability : int {
    kCapabilityFastObject = 0x02,
    kCapabilityMacro = 0x04,
    kCapabilityAuto = 0x08,
    kCapabilityRotateStatus = 0x10,
};
inline constexpr int kControlRotateStatus = 16;
inline constexpr std::chrono::milliseconds kRotationPollPeriod{200};

// The ShootMode entries (counted from 0) a capability bit enables.
struct ShootModeGate {
    int entry;
    int capability;
};
inline constexpr ShootModeGate kShootModeGates[] = {
    {2, kCapabilityFastObject}, {4, kCapabilityMacro}, {6, kCapabilityAuto}};

// Sets the enabled flags of the gated ShootMode entries from mask; 0 when
// the catalogue has no ShootMode item.
int ApplyShootModeGates(CFeatureCatalog& catalog, int mask);

class CCameraModuleBinding final : public ICameraModule {
public:
    CCameraModuleBinding(CCameraModule& module, CEngineBinding& engine, CControllerSettings& settings,
                         CFeatureCatalog& catalog, CRotationPoll::ThreadHooks pollHooks = {},
                         std::chrono::milliseconds pollPeriod = kRotationPollPeriod,
                         std::unique_ptr<IPollThread> pollThread = nullptr);
    ~CCameraModuleBinding() override { StopRotationPoll(); }

    // 0 when the engine is not loaded or lacks its quality calls, else 1.
    int BindVideoQuality() override;
    // The module of the stored camera.
    void RebindCameraModule() override;
    void StopRotationPoll() override { poll_.Stop(); }

    // 1 when the module offers the rotation status and reads it as nonzero.
    int IsCameraTurned();
    int CapabilityMask() const { return mask_.load(); }
    const CRotationPoll& Poll() const { return poll_; }

private:
    CCameraModule& module_;
    CEngineBinding& engine_;
    CControllerSettings& settings_;
    CFeatureCatalog& catalog_;
    CRotationPoll poll_;
    // Read by the poll thread while the user-interface thread rebinds.
    std::atomic<int> mask_{0};
};

}  // namespace vimbrel::controller
