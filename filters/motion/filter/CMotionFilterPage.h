// The motion filter's property page: shows the detector's settings, starts
// and stops detection, resets the base frame, and applies level, mode,
// interval and the two mark flags through IMotionControl.
#pragma once

#include <wrl/client.h>

#include "IMotionControl.h"
#include "dshowbase/PropertyPage.h"

namespace movesense {

class CMotionFilterPage final : public dshowbase::CBasePropertyPage {
public:
    CMotionFilterPage();

    DSHOWBASE_PROPERTY_PAGE_HOOKS

private:
    void ToggleDetection();
    void ShowDetecting(bool detecting);

    Microsoft::WRL::ComPtr<IMotionControl> control_;
    // Whether detection runs, as far as this page knows: taken from the
    // filter on activation and flipped by the start/stop button.
    int detecting_ = 0;
    // True while OnActivate writes the controls: the edit boxes' change
    // notifications are the page's own doing, not the user's.
    bool filling_ = false;
};

// The interval the page sends at most, in milliseconds.
constexpr unsigned kMaxDetectIntervalMs = 10000;

}  // namespace movesense
