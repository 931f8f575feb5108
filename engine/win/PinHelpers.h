// Pin search and filter connection inside a graph.
#pragma once

#include "engine/win/ComHelpers.h"

#include <string>

namespace camera {

// The pin's name; empty when it does not tell.
std::wstring PinName(IPin* pin);

// The first free pin of that direction: with a name, the first whose name
// contains it (letter case ignored); without, the first that is not a
// still-image pin. S_OK with a counted pin, or E_FAIL.
HRESULT FindPin(IBaseFilter* filter, PIN_DIRECTION direction, const wchar_t* name, ComPtr<IPin>& pin);

// The n-th pin of that direction, connected or not. E_POINTER for a null
// filter, E_FAIL when there is none.
HRESULT FindNthPin(IBaseFilter* filter, PIN_DIRECTION direction, int n, ComPtr<IPin>& pin);

// Connects a free output of source to a free input of target, letting the
// graph insert converters. S_OK or E_FAIL.
HRESULT ConnectFilters(IGraphBuilder* graph, IBaseFilter* source, const wchar_t* sourcePinName, IBaseFilter* target,
                       const wchar_t* targetPinName);

}  // namespace camera
