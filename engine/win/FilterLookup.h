// Finding registered filters and devices through the system device
// enumerator, by category and friendly name.
#pragma once

#include "engine/win/ComHelpers.h"

#include <string>

namespace camera {

// The FriendlyName from a moniker's property bag; empty when it has none.
std::wstring ReadFriendlyName(IMoniker* moniker);

// The monikers of one category in enumeration order; S_FALSE and no
// enumerator when the category is empty.
HRESULT EnumerateCategory(REFCLSID category, ComPtr<IEnumMoniker>& monikers);

// Binds the first filter of the category whose friendly name begins with
// name. S_OK, the bind's failure, or VFW_E_NOT_FOUND.
HRESULT FindFilterByName(REFCLSID category, ComPtr<IBaseFilter>& filter, const wchar_t* name);

}  // namespace camera
