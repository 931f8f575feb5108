// The lenstint.ax module: its class table, self-registration and the COM
// entry points.
#include <windows.h>

#include "CEffectFilter.h"
#include "CEffectSimplePage.h"
#include "EffectDeveloperPage.h"
#include "dshowbase/ServerEntryPoints.h"

namespace {

// Merit "do not use": the capture engine inserts the filter by name;
// intelligent connect must never pick it on its own.
const dshowbase::FilterSetup kEffectSetup = {VIMBREL_EFFECT_FILTER_NAME, MERIT_DO_NOT_USE, nullptr, 2,
                                             dshowbase::kVideoTransformPins};

const dshowbase::FactoryTemplate kTemplates[] = {
    {L"Image Effects", &CLSID_EffectFilter, &dshowbase::CreateNew<lenstint::CEffectFilter>, &kEffectSetup},
    {L"Special Effects", &CLSID_EffectSpecialPage, &dshowbase::CreateNew<lenstint::CEffectSpecialPage>, nullptr},
    {L"Simple Effects", &CLSID_EffectSimplePage, &dshowbase::CreateNew<lenstint::CEffectSimplePage>, nullptr},
};

}  // namespace

DSHOWBASE_FILTER_MODULE_ENTRY_POINTS(kTemplates)
