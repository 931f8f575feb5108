#pragma once
// Loading camera.dll from the program folder and binding its exports by
// name into the engine table.

#include <windows.h>

#include <functional>
#include <string>

#include "CEngineBinding.h"

namespace vimbrel::controller {

// Binds once: a second call answers 1 at once. prepare runs first (the
// controller's look, catalogue, item pictures and settings); its 0 ends the
// binding with 0. Then the program folder becomes the current directory,
// "<programFolder>\camera.dll" is loaded and every export is looked up by
// its exact name; a missing one leaves its slot null. 0 when the library
// does not load.
//
// The library is never freed: worker threads may still be inside the
// engine while the program ends, and the engine's own Uninitialize is what
// releases its devices.
int BindEngine(CEngineBinding& binding, const std::wstring& programFolder, const std::function<int()>& prepare = {});

// The loaded library of a binding, or null.
HMODULE EngineModule(const CEngineBinding& binding);

}  // namespace vimbrel::controller
