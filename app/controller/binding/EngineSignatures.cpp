// Compile-time proof that every slot of the engine table has exactly the
// type of the engine's own export: arguments, result and calling
// convention (which matters in the 32-bit build). Nothing here runs.
#include <type_traits>

#include "CameraApi.h"
#include "EngineApi.h"

namespace vimbrel::controller {

#define VB_ENGINE_SAME_TYPE(name, type)                                                                                \
    static_assert(std::is_same_v<EngineSlotType<type>, decltype(&::name)>,                                             \
                  "slot " #name " differs from the engine's export");
VB_ENGINE_EXPORTS(VB_ENGINE_SAME_TYPE)
#undef VB_ENGINE_SAME_TYPE

}  // namespace vimbrel::controller
