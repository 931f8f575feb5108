// Self-registration: the COM class keys of every table entry and, for the
// entries with a FilterSetup, the filter mapper entry (friendly name, merit,
// pins and their media types) in a filter category.
#pragma once

#include "dshowbase/ClassFactory.h"

#include <dshow.h>

namespace dshowbase {

struct PinSetup {
    const wchar_t* name;
    bool rendered;
    bool output;
    bool zero;                      // zero instances allowed
    bool many;                      // many instances allowed
    const CLSID* connectsToFilter;  // null: any
    const wchar_t* connectsToPin;   // null: any
    UINT typeCount;
    const REGPINTYPES* types;
};

struct FilterSetup {
    const wchar_t* friendlyName;
    DWORD merit;
    // Null: the DirectShow filters category (CLSID_LegacyAmFilterCategory).
    const CLSID* category;
    UINT pinCount;
    const PinSetup* pins;
};

// One video input and one video output, both of any subtype: the pins of a
// filter that changes frames in the stream.
extern const PinSetup kVideoTransformPins[2];

// Writes HKCR\CLSID\{clsid} (default value: the name), InprocServer32 (this
// module's path) and its ThreadingModel.
HRESULT RegisterComClass(REFCLSID clsid, const wchar_t* name, const wchar_t* threadingModel);
HRESULT UnregisterComClass(REFCLSID clsid);

// Through IFilterMapper2 (COM must be initialised by the caller).
HRESULT RegisterFilter(REFCLSID clsid, const FilterSetup& setup);
HRESULT UnregisterFilter(REFCLSID clsid, const FilterSetup& setup);

// DllRegisterServer (register = true) or DllUnregisterServer (false) for a
// whole table, threading model "Both". Unregistering goes on past a failure
// and reports the first one.
HRESULT RegisterServer(const FactoryTemplate* templates, size_t count, bool registering);

}  // namespace dshowbase
