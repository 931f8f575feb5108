// Solid brushes for window classes. A class keeps its brush for as long as
// the process runs and the framework registers one class per brush, so
// there is one brush per colour, made on first use and never deleted.
#pragma once

#include "SkinTypes.h"

#include <windows.h>

namespace vimbrel::ui {

HBRUSH KeptClassBrush(Colour colour);

}  // namespace vimbrel::ui
