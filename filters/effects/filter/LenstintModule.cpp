// The lenstint.ax module: its class table, self-registration and the COM
// entry points.
#include <windows.h>

#include <iterator>

#include "CEffectFilter.h"
#include "CEffectSimplePage.h"
#include "EffectDeveloperPage.h"
#include "dshowbase/ClassFactory.h"
#include "dshowbase/Module.h"
#include "dshowbase/Registration.h"

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
    {L"Image Effects", &CLSID_EffectFilter, &lenstint::CEffectFilter::CreateInstance, &kEffectSetup},
    {L"Special Effects", &CLSID_EffectSpecialPage, &lenstint::CEffectSpecialPage::CreateInstance, nullptr},
    {L"Simple Effects", &CLSID_EffectSimplePage, &lenstint::CEffectSimplePage::CreateInstance, nullptr},
};

}  // namespace

extern "C" {

STDAPI DllRegisterServer() { return dshowbase::RegisterServer(kTemplates, std::size(kTemplates), true); }

STDAPI DllUnregisterServer() { return dshowbase::RegisterServer(kTemplates, std::size(kTemplates), false); }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    return dshowbase::GetClassObject(kTemplates, std::size(kTemplates), clsid, riid, ppv);
}

STDAPI DllCanUnloadNow() { return dshowbase::CanUnloadNow(); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}

}  // extern "C"
