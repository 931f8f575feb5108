// The WM ASF Writer's configuration interface. The MinGW headers declare
// the Windows Media Format profile interfaces it hands around (IWMProfile,
// IWMStreamConfig, IWMMediaProps in wmsdkidl.h) but not this one, which the
// SDK keeps in dshowasf.h.
#pragma once

#include <dshow.h>
#include <wmsdkidl.h>

#ifndef __IConfigAsfWriter_INTERFACE_DEFINED__
#define __IConfigAsfWriter_INTERFACE_DEFINED__

// {45086030-F7E4-486A-B504-826BB5792A3B}
inline constexpr IID IID_IConfigAsfWriter = {
    0x45086030, 0xF7E4, 0x486A, {0xB5, 0x04, 0x82, 0x6B, 0xB5, 0x79, 0x2A, 0x3B}};

// Method order is the interface's binary layout: do not reorder.
struct IConfigAsfWriter : public IUnknown {
    // Windows Media Format 4.0 profile numbers (obsolete).
    virtual HRESULT STDMETHODCALLTYPE ConfigureFilterUsingProfileId(DWORD profileId) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentProfileId(DWORD* profileId) = 0;
    // System profiles by GUID.
    virtual HRESULT STDMETHODCALLTYPE ConfigureFilterUsingProfileGuid(REFGUID profile) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentProfileGuid(GUID* profile) = 0;
    // Any profile object.
    virtual HRESULT STDMETHODCALLTYPE ConfigureFilterUsingProfile(IWMProfile* profile) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentProfile(IWMProfile** profile) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetIndexMode(BOOL indexFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetIndexMode(BOOL* indexFile) = 0;
};

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IConfigAsfWriter, 0x45086030, 0xF7E4, 0x486A, 0xB5, 0x04, 0x82, 0x6B, 0xB5, 0x79, 0x2A, 0x3B)
#endif

#endif  // __IConfigAsfWriter_INTERFACE_DEFINED__
