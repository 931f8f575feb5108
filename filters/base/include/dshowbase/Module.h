// What the base layer knows about the module (DLL or EXE) it is linked into:
// its handle, its path, and how many of its COM objects are alive. The count
// answers DllCanUnloadNow, and lets tests prove that a graph released every
// object it was given.
#pragma once

#include <windows.h>

#include <string>

namespace dshowbase {

// The module that holds this code: the filter DLL, or the test program when
// the library is linked into one. Resources (dialogs, strings) come from it.
HINSTANCE ModuleInstance();
std::wstring ModulePath();

// Every CUnknown counts itself here from construction to destruction.
void ObjectCreated();
void ObjectDestroyed();
LONG LiveObjectCount();

// IClassFactory::LockServer.
void LockModule(bool lock);
LONG ModuleLockCount();

// S_OK when no object is alive and no lock is held, else S_FALSE.
HRESULT CanUnloadNow();

}  // namespace dshowbase
