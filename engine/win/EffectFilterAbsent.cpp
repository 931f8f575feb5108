// Built only while the effects filter's interface header is not in the
// tree: nothing can be recognised as the effects filter, so every graph
// that needs it fails to build.
#include "EffectFilterAccess.h"

namespace camera {

bool HasVideoEffect(IBaseFilter*) { return false; }

HRESULT ShowPlainPicture(IBaseFilter*) { return E_NOINTERFACE; }

} // namespace camera
