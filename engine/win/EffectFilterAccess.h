// What the engine asks of the effects filter while building graphs. Kept
// apart so that only this file depends on the filter's interface header.
#pragma once

#include "engine/win/ComHelpers.h"

namespace camera {

// Whether the filter found under the effect's name really is the effects
// filter (it answers the effects interface).
bool HasVideoEffect(IBaseFilter* effect);

// Switches the effect off, so that a graph sees the plain picture.
HRESULT ShowPlainPicture(IBaseFilter* effect);

}  // namespace camera
