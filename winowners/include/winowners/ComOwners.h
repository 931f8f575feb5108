// Owners for what COM calls hand over to be freed by the receiver: a BSTR
// and a block from the task allocator (the elements of a CAUUID, a
// string from StringFromCLSID). Interfaces are held in
// Microsoft::WRL::ComPtr.
#pragma once

#include "winowners/UniqueOwner.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

namespace winowners {

using UniqueBstr = UniqueAny<BSTR, &::SysFreeString>;

template <class Element>
using UniqueCoTaskMem = UniqueAny<Element*, &::CoTaskMemFree>;

} // namespace winowners
