// Exports whose work is not built yet. They refuse, as the flat API does
// for anything it cannot do, so callers bound to them keep working.
#include "CameraApi.h"

