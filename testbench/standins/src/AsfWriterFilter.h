// The bench's WM ASF writer, registered over the platform's class in the
// test prefix (Wine has none). It behaves as the engine expects of the
// writer: a profile (the 256 kbps video system profile at first) decides
// its input pins, one per sound or picture stream; IConfigAsfWriter
// switches system profiles by GUID or takes a profile object; every pin
// must be connected before it starts; IFileSinkFilter2 names the file and
// only overwrites. Instead of an ASF file it writes, when it stops, the
// record described in AsfRecord.h: the profile, its streams, and what each
// pin received.
#pragma once

#include "AsfProfile.h"
#include "AsfWriterPin.h"
#include "RendererFilter.h"

#include "dshowbase/AsfWriterInterfaces.h"

#include <memory>
#include <string>
#include <vector>

namespace standins {

class CAsfWriterFilter final : public CRendererFilter, public IFileSinkFilter2, public IConfigAsfWriter {
public:
    static dshowbase::CUnknown* Create(HRESULT* result);

    CAsfWriterFilter();
    ~CAsfWriterFilter() override;

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    int GetPinCount() override;
    dshowbase::CBasePin* GetPin(int index) override;

    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;

    // IFileSinkFilter2
    STDMETHODIMP SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) override;
    STDMETHODIMP SetMode(DWORD flags) override;
    STDMETHODIMP GetMode(DWORD* flags) override;

    // IConfigAsfWriter
    STDMETHODIMP ConfigureFilterUsingProfileId(DWORD profileId) override;
    STDMETHODIMP GetCurrentProfileId(DWORD* profileId) override;
    STDMETHODIMP ConfigureFilterUsingProfileGuid(REFGUID profile) override;
    STDMETHODIMP GetCurrentProfileGuid(GUID* profile) override;
    STDMETHODIMP ConfigureFilterUsingProfile(IWMProfile* profile) override;
    STDMETHODIMP GetCurrentProfile(IWMProfile** profile) override;
    STDMETHODIMP SetIndexMode(BOOL indexFile) override;
    STDMETHODIMP GetIndexMode(BOOL* indexFile) override;

protected:
    bool AllStreamsEnded() override;

private:
    // Makes streams (made from system profile origin) the current profile;
    // under the filter lock. *pinsChanged
    // tells whether the set of pins changed.
    HRESULT ApplyProfile(std::vector<StreamSettings> streams, const GUID& origin, const char* source,
                         bool* pinsChanged);
    HRESULT Configure(std::vector<StreamSettings> streams, const GUID& origin, const char* source);
    AsfRecord BuildRecord();
    HRESULT WriteRecord();

    dshowbase::CCritSec lock_;
    std::unique_ptr<CAsfInputPin> audio_;
    std::unique_ptr<CAsfInputPin> video_;
    std::vector<CAsfInputPin*> shown_;
    std::vector<StreamSettings> profile_;
    // The system profile the current profile was made from (GUID_NULL for
    // one built by the caller), and how it was set.
    GUID origin_ = GUID_NULL;
    std::string profileSource_ = "default";
    uint32_t configurations_ = 0;
    std::wstring fileName_;
    BOOL indexMode_ = TRUE;
};

}  // namespace standins
