// The COM entry points every in-process server of ours exports, written
// once over the server's class table (an array of dshowbase::FactoryTemplate
// in the same source file). Use at namespace scope; the .def file of the
// server lists the names.
#pragma once

#include "dshowbase/ClassFactory.h"
#include "dshowbase/Module.h"
#include "dshowbase/Registration.h"

#include <iterator>

// DllGetClassObject and DllCanUnloadNow.
#define DSHOWBASE_CLASS_ENTRY_POINTS(templates)                                                                        \
    extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {                     \
        return ::dshowbase::GetClassObject(templates, std::size(templates), clsid, riid, ppv);                         \
    }                                                                                                                  \
    extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return ::dshowbase::CanUnloadNow(); }

// DllRegisterServer and DllUnregisterServer through the class table's
// filter registrations.
#define DSHOWBASE_REGISTRATION_ENTRY_POINTS(templates)                                                                 \
    extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {                                                            \
        return ::dshowbase::RegisterServer(templates, std::size(templates), true);                                     \
    }                                                                                                                  \
    extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {                                                          \
        return ::dshowbase::RegisterServer(templates, std::size(templates), false);                                    \
    }

// All a filter module exports: the four entry points above and a DllMain
// that asks for no thread notifications (the filters keep no per-thread
// state).
#define DSHOWBASE_FILTER_MODULE_ENTRY_POINTS(templates)                                                                \
    DSHOWBASE_CLASS_ENTRY_POINTS(templates)                                                                            \
    DSHOWBASE_REGISTRATION_ENTRY_POINTS(templates)                                                                     \
    extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {                                         \
        if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);                                         \
        return TRUE;                                                                                                   \
    }
