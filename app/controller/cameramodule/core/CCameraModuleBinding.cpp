#include "CCameraModuleBinding.h"

#include "CRotationPoll.h"
#include "RotationFollower.h"

#include <memory>
#include "SettingsBlock.h"

namespace vimbrel::controller {
namespace {

constexpr int kQualityPropertyCount = 10;
constexpr int kPropertyBrightness = 0;
constexpr int kPropertyContrast = 1;
constexpr int kPropertyWhiteBalance = 7;

}  // namespace

int ApplyShootModeGates(CFeatureCatalog& catalog, int mask) {
    CatalogItem* item = catalog.Find(kSettingShootMode);
    if (item == nullptr) return 0;
    int index = 0;
    for (CatalogEntry* entry = item->firstEntry.get(); entry; entry = entry->next.get(), ++index) {
        for (const ShootModeGate& gate : kShootModeGates) {
            if (gate.entry == index) entry->enabled = (mask & gate.capability) != 0 ? 1 : 0;
        }
    }
    return 1;
}

CCameraModuleBinding::CCameraModuleBinding(CCameraModule& module, CEngineBinding& engine, CControllerSettings& settings,
                                           CFeatureCatalog& catalog, CRotationPoll::ThreadHooks pollHooks,
                                           std::chrono::milliseconds pollPeriod,
                                           std::unique_ptr<IPollThread> pollThread)
    : module_(module),
      engine_(engine),
      settings_(settings),
      catalog_(catalog),
      poll_(pollPeriod, std::move(pollHooks), std::move(pollThread)) {}

int CCameraModuleBinding::BindVideoQuality() {
    const EngineApi& api = engine_.Api();
    if (!engine_.IsLoaded() || !api.GetVideoQuality || !api.GetVideoQualityRange) return 0;

    SettingsBlock& block = settings_.Block();
    for (int property = 0; property < kQualityPropertyCount; ++property) {
        int value = 0;
        if (!engine_.GetVideoQuality(property, &value)) {
            if (property == kPropertyBrightness) catalog_.RemoveItem(kSettingBrightness);
            if (property == kPropertyContrast) catalog_.RemoveItem(kSettingContrast);
            if (property == kPropertyWhiteBalance) {
                catalog_.RemoveItem(kSettingWhiteBalance);
                block.whiteBalance = -1;
            }
            continue;
        }
        int minimum = 0, maximum = 0, standard = 0;
        if (!engine_.GetVideoQualityRange(property, &minimum, &maximum, &standard)) continue;
        if (property == kPropertyBrightness) block.brightness = value;
        if (property == kPropertyContrast) block.contrast = value;
    }

    int mask = 0;
    mask_ = 0;
    if (!module_.GetCaps(&mask)) return 1;
    mask_ = mask;

    if ((mask & kCapabilityRotateStatus) != 0) {
        // The step is made on the worker so the mirror mode it starts from
        // is the one in force when the poll begins.
        poll_.Restart([this] {
            auto follower = std::make_shared<CRotationFollower>(engine_.GetMirrorMode());
            return CRotationPoll::Step([this, follower] {
                const std::optional<int> mirror = follower->Step(IsCameraTurned() == 1, engine_.GetMirrorMode());
                if (mirror) engine_.SetMirrorMode(*mirror, 0);
            });
        });
    }
    ApplyShootModeGates(catalog_, mask);
    return 1;
}

void CCameraModuleBinding::RebindCameraModule() { module_.Bind(settings_.Block().videoDev); }

int CCameraModuleBinding::IsCameraTurned() {
    if ((mask_.load() & kCapabilityRotateStatus) == 0) return 0;
    int value = 0;
    return module_.Get(kControlRotateStatus, &value) && value != 0 ? 1 : 0;
}

}  // namespace vimbrel::controller
