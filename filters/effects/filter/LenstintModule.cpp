// The lenstint.ax module: its class table, self-registration and the COM
// entry points.
#include <windows.h>

#include "CEffectFilter.h"
#include "CEffectSimplePage.h"
#include "EffectDeveloperPage.h"
#include "dshowbase/ServerEntryPoints.h"

namespace {

const REGPINTYPES kVideoAnySubtype = {&MEDIATYPE_Video, &MEDIASUBTYPE_NULL};

const dshowbase::PinSetup kEffectPins[] = {
    {L"Input", false, false, false, false, &CLSID_NULL, nullptr, 1, &kVideoAnySubtype},
    {L"Output", false, true, false, false, &CLSID_NULL, nullptr, 1, &kVideoAnySubtype},
};

// Merit "do not use": the capture engine inserts the filter by name;
// intelligent connect must never pick it on its own.
const dshowbase::FilterSetup kEffectSetup = {VIMBREL_EFFECT_FILTER_NAME, MERIT_DO_NOT_USE, nullptr, 2, kEffectPins};

const dshowbase::FactoryTemplate kTemplates[] = {
    {L"Image Effects", &CLSID_EffectFilter, &dshowbase::CreateNew<lenstint::CEffectFilter>, &kEffectSetup},
    {L"Special Effects", &CLSID_EffectSpecialPage, &dshowbase::CreateNew<lenstint::CEffectSpecialPage>, nullptr},
    {L"Simple Effects", &CLSID_EffectSimplePage, &dshowbase::CreateNew<lenstint::CEffectSimplePage>, nullptr},
};

}  // namespace

DSHOWBASE_CLASS_ENTRY_POINTS(kTemplates)
DSHOWBASE_REGISTRATION_ENTRY_POINTS(kTemplates)

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}

}  // extern "C"
