// The effects filter's developer page: one radio button per effect, the
// effect parameter, and the feature check boxes. It keeps what the user
// chose between activations and sends it to the filter on Apply.
#pragma once

#include <wrl/client.h>

#include <array>
#include <string>

#include "IVideoEffect.h"
#include "dshowbase/PropertyPage.h"

namespace lenstint {

class CEffectSpecialPage final : public dshowbase::CBasePropertyPage {
public:
    CEffectSpecialPage();

    DSHOWBASE_PROPERTY_PAGE_HOOKS

    static constexpr int kFeatureCount = 11;

private:
    // Parameter, effect and check boxes from the dialog into the page.
    void ReadControls();
    void SendFeature(int index, int state);

    Microsoft::WRL::ComPtr<IVideoEffect> effect_;
    std::wstring installFolder_;
    int controlId_ = 0;
    int param_ = 0;
    // What the filter was last told, and what the check boxes show; Apply
    // sends the difference.
    std::array<int, kFeatureCount> features_{};
    std::array<int, kFeatureCount> shownFeatures_{};
    bool active_ = false;
};

}  // namespace lenstint
