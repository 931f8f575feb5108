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

CCameraModuleBinding::CCameraModuleBinding(CCameraModule& module, CEngineBinding& engine,
                                           CControllerSettings& settings,
                                           CFeatureCatalog& catalog,
                                           CRotationPoll::ThreadHooks pollHooks,
                                           std::chrono::milliseconds pollPeriod)
    : m_module(module),
      m_engine(engine),
      m_settings(settings),
      m_catalog(catalog),
      m_poll(pollPeriod, std::move(pollHooks)) {}

int CCameraModuleBinding::BindVideoQuality() {
    const EngineApi& api = m_engine.Api();
    if (!m_engine.IsLoaded() || !api.GetVideoQuality || !api.GetVideoQualityRange) return 0;

    SettingsBlock& block = m_settings.Block();
    for (int property = 0; property < kQualityPropertyCount; ++property) {
        int value = 0;
        if (!m_engine.GetVideoQuality(property, &value)) {
            if (property == kPropertyBrightness) m_catalog.RemoveItem(kSettingBrightness);
            if (property == kPropertyContrast) m_catalog.RemoveItem(kSettingContrast);
            if (property == kPropertyWhiteBalance) {
                m_catalog.RemoveItem(kSettingWhiteBalance);
                block.whiteBalance = -1;
            }
            continue;
        }
        int minimum = 0, maximum = 0, standard = 0;
        if (!m_engine.GetVideoQualityRange(property, &minimum, &maximum, &standard)) continue;
        if (property == kPropertyBrightness) block.brightness = value;
        if (property == kPropertyContrast) block.contrast = value;
    }

    int mask = 0;
    m_mask = 0;
    if (!m_module.GetCaps(&mask)) return 1;
    m_mask = mask;

    if ((mask & kCapabilityRotateStatus) != 0) {
        // The step is made on the worker so the mirror mode it starts from
        // is the one in force when the poll begins.
        m_poll.Restart([this] {
            auto follower = std::make_shared<CRotationFollower>(m_engine.GetMirrorMode());
            return CRotationPoll::Step([this, follower] {
                const std::optional<int> mirror =
                    follower->Step(IsCameraTurned() == 1, m_engine.GetMirrorMode());
                if (mirror) m_engine.SetMirrorMode(*mirror, 0);
            });
        });
    }
    ApplyShootModeGates(m_catalog, mask);
    return 1;
}

void CCameraModuleBinding::RebindCameraModule() { m_module.Bind(m_settings.Block().videoDev); }

int CCameraModuleBinding::IsCameraTurned() {
    if ((m_mask.load() & kCapabilityRotateStatus) == 0) return 0;
    int value = 0;
    return m_module.Get(kControlRotateStatus, &value) && value != 0 ? 1 : 0;
}

}  // namespace vimbrel::controller
