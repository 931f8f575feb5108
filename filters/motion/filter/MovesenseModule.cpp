// The movesense.ax module: its class table, self-registration and the COM
// entry points.
#include <windows.h>

#include "CMotionFilter.h"
#include "CMotionFilterPage.h"
#include "dshowbase/ServerEntryPoints.h"

namespace {

// Merit "do not use": intelligent connect must never insert a motion
// detector on its own; programs add it by name.
const dshowbase::FilterSetup kMotionSetup = {L"Zavu Motion Detect Filter", MERIT_DO_NOT_USE, nullptr, 2,
                                             dshowbase::kVideoTransformPins};

const dshowbase::FactoryTemplate kTemplates[] = {
    {L"movesense", &CLSID_MotionFilter, &dshowbase::CreateNew<movesense::CMotionFilter>, &kMotionSetup},
    {L"Zavu movesense Setting", &CLSID_MotionFilterPage, &dshowbase::CreateNew<movesense::CMotionFilterPage>, nullptr},
};

}  // namespace

DSHOWBASE_FILTER_MODULE_ENTRY_POINTS(kTemplates)
