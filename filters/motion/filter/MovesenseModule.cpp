// The movesense.ax module: its class table, self-registration and the COM
// entry points.
#include <windows.h>

#include "CMotionFilter.h"
#include "CMotionFilterPage.h"
#include "dshowbase/ServerEntryPoints.h"

namespace {

const REGPINTYPES kVideoAnySubtype = {&MEDIATYPE_Video, &MEDIASUBTYPE_NULL};

const dshowbase::PinSetup kMotionPins[] = {
    {L"Input", false, false, false, false, &CLSID_NULL, nullptr, 1, &kVideoAnySubtype},
    {L"Output", false, true, false, false, &CLSID_NULL, nullptr, 1, &kVideoAnySubtype},
};

// Merit "do not use": intelligent connect must never insert a motion
// detector on its own; programs add it by name.
const dshowbase::FilterSetup kMotionSetup = {L"Zavu Motion Detect Filter", MERIT_DO_NOT_USE, nullptr,
                                             2, kMotionPins};

const dshowbase::FactoryTemplate kTemplates[] = {
    {L"movesense", &CLSID_MotionFilter, &dshowbase::CreateNew<movesense::CMotionFilter>, &kMotionSetup},
    {L"Zavu movesense Setting", &CLSID_MotionFilterPage, &dshowbase::CreateNew<movesense::CMotionFilterPage>, nullptr},
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
