#include "EngineApi.h"

namespace vimbrel::controller {

const char* const kEngineExportNames[kEngineSlotCount] = {
#define VB_ENGINE_NAME(name, type) #name,
    VB_ENGINE_EXPORTS(VB_ENGINE_NAME)
#undef VB_ENGINE_NAME
};

#define VB_ENGINE_COUNT(name, type) +1
static_assert(0 VB_ENGINE_EXPORTS(VB_ENGINE_COUNT) == kEngineSlotCount, "one name per slot");
#undef VB_ENGINE_COUNT

int BindEngineExports(EngineApi& api, const ExportResolver& resolve) {
    int found = 0;
#define VB_ENGINE_BIND(name, type)                                                                                     \
    api.name = reinterpret_cast<type>(resolve ? resolve(#name) : nullptr);                                             \
    found += api.name != nullptr ? 1 : 0;
    VB_ENGINE_EXPORTS(VB_ENGINE_BIND)
#undef VB_ENGINE_BIND
    return found;
}

int CountBoundSlots(const EngineApi& api) {
    int count = 0;
#define VB_ENGINE_SET(name, type) count += api.name != nullptr ? 1 : 0;
    VB_ENGINE_EXPORTS(VB_ENGINE_SET)
#undef VB_ENGINE_SET
    return count;
}

}  // namespace vimbrel::controller
