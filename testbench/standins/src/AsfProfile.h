// Windows Media profile objects as the bench's ASF writer hands them out:
// a profile (IWMProfile) of streams (IWMStreamConfig with IWMMediaProps).
// As with the real ones, a stream taken from a profile is a copy: a change
// counts only once the profile is told (ReconfigStream), and the writer
// only once it is given the profile (ConfigureFilterUsingProfile). The
// objects serve one caller at a time.
#pragma once

#include "dshowbase/MediaType.h"
#include "dshowbase/Unknown.h"

#include <dshow.h>
#include <wmsdkidl.h>

#include <string>
#include <vector>

namespace standins {

// One stream's settings, as plain data.
struct StreamSettings {
    GUID type = GUID_NULL;
    WORD number = 0;
    DWORD bitrate = 0;
    DWORD bufferWindow = 0;
    std::wstring name;
    std::wstring connection;
    dshowbase::CMediaType mediaType;
};

// Reads a stream or a whole profile through their interfaces, so that a
// profile the caller built itself is read the same way as ours.
HRESULT ReadStream(IWMStreamConfig* config, StreamSettings* settings);
HRESULT ReadProfile(IWMProfile* profile, std::vector<StreamSettings>* streams);

class CWMStreamConfig final : public dshowbase::CUnknown, public IWMStreamConfig, public IWMMediaProps {
public:
    explicit CWMStreamConfig(StreamSettings settings);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP GetStreamType(GUID* type) override;
    STDMETHODIMP GetStreamNumber(WORD* number) override;
    STDMETHODIMP SetStreamNumber(WORD number) override;
    STDMETHODIMP GetStreamName(WCHAR* name, WORD* length) override;
    STDMETHODIMP SetStreamName(LPCWSTR_WMSDK_TYPE_SAFE name) override;
    STDMETHODIMP GetConnectionName(WCHAR* name, WORD* length) override;
    STDMETHODIMP SetConnectionName(LPCWSTR_WMSDK_TYPE_SAFE name) override;
    STDMETHODIMP GetBitrate(DWORD* bitrate) override;
    STDMETHODIMP SetBitrate(DWORD bitrate) override;
    STDMETHODIMP GetBufferWindow(DWORD* window) override;
    STDMETHODIMP SetBufferWindow(DWORD window) override;

    STDMETHODIMP GetType(GUID* type) override;
    STDMETHODIMP GetMediaType(WM_MEDIA_TYPE* type, DWORD* size) override;
    STDMETHODIMP SetMediaType(WM_MEDIA_TYPE* type) override;

private:
    StreamSettings settings_;
};

// Bench-private: the system profile a profile object was made from, so
// that the writer's record can name it after the caller changed the profile
// and handed it back. {6A1C5E21-3B7D-4F0E-8C21-7D4B9E30C121}
inline constexpr IID IID_IBenchProfileOrigin = {
    0x6A1C5E21, 0x3B7D, 0x4F0E, {0x8C, 0x21, 0x7D, 0x4B, 0x9E, 0x30, 0xC1, 0x21}};

struct IBenchProfileOrigin : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetOrigin(GUID* systemProfile) = 0;
};

class CWMProfile final : public dshowbase::CUnknown, public IWMProfile, public IBenchProfileOrigin {
public:
    CWMProfile(std::wstring name, std::vector<StreamSettings> streams, const GUID& origin);

    DSHOWBASE_DECLARE_IUNKNOWN
    HRESULT NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP GetVersion(WMT_VERSION* version) override;
    STDMETHODIMP GetName(WCHAR* name, DWORD* length) override;
    STDMETHODIMP SetName(const WCHAR* name) override;
    STDMETHODIMP GetDescription(WCHAR* description, DWORD* length) override;
    STDMETHODIMP SetDescription(const WCHAR* description) override;
    STDMETHODIMP GetStreamCount(DWORD* count) override;
    STDMETHODIMP GetStream(DWORD index, IWMStreamConfig** config) override;
    STDMETHODIMP GetStreamByNumber(WORD number, IWMStreamConfig** config) override;
    STDMETHODIMP RemoveStream(IWMStreamConfig* config) override;
    STDMETHODIMP RemoveStreamByNumber(WORD number) override;
    STDMETHODIMP AddStream(IWMStreamConfig* config) override;
    STDMETHODIMP ReconfigStream(IWMStreamConfig* config) override;
    STDMETHODIMP CreateNewStream(REFGUID type, IWMStreamConfig** config) override;
    STDMETHODIMP GetMutualExclusionCount(DWORD* count) override;
    STDMETHODIMP GetMutualExclusion(DWORD index, IWMMutualExclusion** exclusion) override;
    STDMETHODIMP RemoveMutualExclusion(IWMMutualExclusion* exclusion) override;
    STDMETHODIMP AddMutualExclusion(IWMMutualExclusion* exclusion) override;
    STDMETHODIMP CreateNewMutualExclusion(IWMMutualExclusion** exclusion) override;

    STDMETHODIMP GetOrigin(GUID* systemProfile) override;

private:
    HRESULT HandOut(const StreamSettings& settings, IWMStreamConfig** config);
    // Index of the stream with this number, or -1.
    int Find(WORD number) const;

    std::wstring name_;
    std::wstring description_;
    std::vector<StreamSettings> streams_;
    GUID origin_;
};

}  // namespace standins
