// The one capture filter of the camera chip that the library works through,
// shared by every export of the process.
#pragma once

#include <dshow.h>
#include <wrl/client.h>

namespace chipmill {

// Finds the capture device whose friendly name is the driver's DriverDesc and
// binds it; true when one was bound. A device listed before it under another
// name drops an earlier binding, as a fresh search should.
bool BindChip();

// Releases the bound filter.
void ReleaseChip();

// The bound filter (null when none), with a reference of its own, so that a
// call in flight on one thread survives another thread rebinding.
Microsoft::WRL::ComPtr<IBaseFilter> BoundChip();

// At FreeLibrary; at process exit the filter's own module may be gone
// already, so the reference is left to the system then.
void ReleaseChipAtUnload(bool processTerminating);

}  // namespace chipmill
