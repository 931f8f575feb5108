#include "AsfProfile.h"

#include <new>

namespace standins {
namespace {

// The Windows Media Format answer for a caller's buffer that is too small
// (ASF_E_BUFFERTOOSMALL).
constexpr HRESULT kBufferTooSmall = static_cast<HRESULT>(0xC00D07D1L);
// Stream numbers run from 1 to 63 in an ASF file.
constexpr WORD kMaxStreamNumber = 63;
// Far more than any profile has; bounds what a caller can make us copy.
constexpr DWORD kMaxName = 4096;

// The two-call string convention: a null buffer asks for the length
// (terminator included), a short buffer is refused.
template <class Length>
HRESULT CopyOut(const std::wstring& text, WCHAR* buffer, Length* length) {
    if (length == nullptr) {
        return E_POINTER;
    }
    const size_t needed = text.size() + 1;
    if (buffer == nullptr) {
        *length = static_cast<Length>(needed);
        return S_OK;
    }
    if (*length < needed) {
        *length = static_cast<Length>(needed);
        return kBufferTooSmall;
    }
    memcpy(buffer, text.c_str(), needed * sizeof(WCHAR));
    *length = static_cast<Length>(needed);
    return S_OK;
}

HRESULT CopyIn(const WCHAR* text, std::wstring* target) {
    if (text == nullptr) {
        return E_POINTER;
    }
    const size_t length = wcsnlen(text, kMaxName + 1);
    if (length > kMaxName) {
        return E_INVALIDARG;
    }
    target->assign(text, length);
    return S_OK;
}

template <class Getter>
HRESULT ReadText(Getter get, std::wstring* text) {
    WORD length = 0;
    HRESULT hr = get(nullptr, &length);
    if (FAILED(hr) || length == 0) {
        return hr;
    }
    std::vector<WCHAR> buffer(length);
    hr = get(buffer.data(), &length);
    if (SUCCEEDED(hr)) {
        text->assign(buffer.data(), wcsnlen(buffer.data(), buffer.size()));
    }
    return hr;
}

// The getter convention: a null target is refused, anything else gets the
// value.
template <class Value>
HRESULT GiveOut(const Value& value, Value* target) {
    if (target == nullptr) {
        return E_POINTER;
    }
    *target = value;
    return S_OK;
}

// A Windows Media type seen as a DirectShow one (same layout but for the
// format pointer, which a caller may leave null with a stale length); the
// format block stays the caller's.
AM_MEDIA_TYPE PlainType(const WM_MEDIA_TYPE& type) {
    AM_MEDIA_TYPE plain{};
    plain.majortype = type.majortype;
    plain.subtype = type.subtype;
    plain.bFixedSizeSamples = type.bFixedSizeSamples;
    plain.bTemporalCompression = type.bTemporalCompression;
    plain.lSampleSize = type.lSampleSize;
    plain.formattype = type.formattype;
    plain.cbFormat = type.pbFormat != nullptr ? type.cbFormat : 0;
    plain.pbFormat = type.pbFormat;
    return plain;
}

}  // namespace

HRESULT ReadStream(IWMStreamConfig* config, StreamSettings* settings) {
    if (config == nullptr || settings == nullptr) {
        return E_POINTER;
    }
    StreamSettings read;
    HRESULT hr = config->GetStreamType(&read.type);
    if (SUCCEEDED(hr)) {
        hr = config->GetStreamNumber(&read.number);
    }
    if (SUCCEEDED(hr)) {
        hr = config->GetBitrate(&read.bitrate);
    }
    if (SUCCEEDED(hr)) {
        hr = config->GetBufferWindow(&read.bufferWindow);
    }
    if (SUCCEEDED(hr)) {
        hr = ReadText([&](WCHAR* b, WORD* l) { return config->GetStreamName(b, l); }, &read.name);
    }
    if (SUCCEEDED(hr)) {
        hr = ReadText([&](WCHAR* b, WORD* l) { return config->GetConnectionName(b, l); }, &read.connection);
    }
    if (FAILED(hr)) {
        return hr;
    }
    IWMMediaProps* props = nullptr;
    hr = config->QueryInterface(__uuidof(IWMMediaProps), reinterpret_cast<void**>(&props));
    if (FAILED(hr)) {
        return hr;
    }
    DWORD size = 0;
    hr = props->GetMediaType(nullptr, &size);
    if (SUCCEEDED(hr) && size >= sizeof(WM_MEDIA_TYPE)) {
        std::vector<BYTE> buffer(size);
        WM_MEDIA_TYPE* type = reinterpret_cast<WM_MEDIA_TYPE*>(buffer.data());
        hr = props->GetMediaType(type, &size);
        if (SUCCEEDED(hr) && !read.mediaType.Set(PlainType(*type))) {
            hr = E_OUTOFMEMORY;
        }
    } else if (SUCCEEDED(hr)) {
        hr = E_UNEXPECTED;
    }
    props->Release();
    if (SUCCEEDED(hr)) {
        *settings = std::move(read);
    }
    return hr;
}

HRESULT ReadProfile(IWMProfile* profile, std::vector<StreamSettings>* streams) {
    if (profile == nullptr || streams == nullptr) {
        return E_POINTER;
    }
    DWORD count = 0;
    HRESULT hr = profile->GetStreamCount(&count);
    if (FAILED(hr)) {
        return hr;
    }
    if (count > kMaxStreamNumber) {
        return E_INVALIDARG;
    }
    std::vector<StreamSettings> read(count);
    for (DWORD i = 0; i < count; ++i) {
        IWMStreamConfig* config = nullptr;
        hr = profile->GetStream(i, &config);
        if (FAILED(hr)) {
            return hr;
        }
        hr = ReadStream(config, &read[i]);
        config->Release();
        if (FAILED(hr)) {
            return hr;
        }
    }
    *streams = std::move(read);
    return S_OK;
}

// --- CWMStreamConfig ---

CWMStreamConfig::CWMStreamConfig(StreamSettings settings)
    : CUnknown(L"bench WM stream config"), settings_(std::move(settings)) {}

HRESULT CWMStreamConfig::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == __uuidof(IWMStreamConfig)) {
        return dshowbase::GetInterface(static_cast<IWMStreamConfig*>(this), ppv);
    }
    if (riid == __uuidof(IWMMediaProps)) {
        return dshowbase::GetInterface(static_cast<IWMMediaProps*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CWMStreamConfig::GetStreamType(GUID* type) { return GiveOut(settings_.type, type); }

STDMETHODIMP CWMStreamConfig::GetStreamNumber(WORD* number) { return GiveOut(settings_.number, number); }

STDMETHODIMP CWMStreamConfig::SetStreamNumber(WORD number) {
    if (number == 0 || number > kMaxStreamNumber) {
        return E_INVALIDARG;
    }
    settings_.number = number;
    return S_OK;
}

STDMETHODIMP CWMStreamConfig::GetStreamName(WCHAR* name, WORD* length) { return CopyOut(settings_.name, name, length); }

STDMETHODIMP CWMStreamConfig::SetStreamName(LPCWSTR_WMSDK_TYPE_SAFE name) { return CopyIn(name, &settings_.name); }

STDMETHODIMP CWMStreamConfig::GetConnectionName(WCHAR* name, WORD* length) {
    return CopyOut(settings_.connection, name, length);
}

STDMETHODIMP CWMStreamConfig::SetConnectionName(LPCWSTR_WMSDK_TYPE_SAFE name) {
    return CopyIn(name, &settings_.connection);
}

STDMETHODIMP CWMStreamConfig::GetBitrate(DWORD* bitrate) { return GiveOut(settings_.bitrate, bitrate); }

STDMETHODIMP CWMStreamConfig::SetBitrate(DWORD bitrate) {
    settings_.bitrate = bitrate;
    return S_OK;
}

STDMETHODIMP CWMStreamConfig::GetBufferWindow(DWORD* window) { return GiveOut(settings_.bufferWindow, window); }

STDMETHODIMP CWMStreamConfig::SetBufferWindow(DWORD window) {
    settings_.bufferWindow = window;
    return S_OK;
}

STDMETHODIMP CWMStreamConfig::GetType(GUID* type) { return GiveOut(settings_.mediaType.majortype, type); }

STDMETHODIMP CWMStreamConfig::GetMediaType(WM_MEDIA_TYPE* type, DWORD* size) {
    if (size == nullptr) {
        return E_POINTER;
    }
    const AM_MEDIA_TYPE& own = settings_.mediaType;
    const DWORD needed = static_cast<DWORD>(sizeof(WM_MEDIA_TYPE)) + own.cbFormat;
    if (type == nullptr) {
        *size = needed;
        return S_OK;
    }
    if (*size < needed) {
        *size = needed;
        return kBufferTooSmall;
    }
    // The format block follows the structure in the caller's buffer.
    BYTE* format = reinterpret_cast<BYTE*>(type) + sizeof(WM_MEDIA_TYPE);
    type->majortype = own.majortype;
    type->subtype = own.subtype;
    type->bFixedSizeSamples = own.bFixedSizeSamples;
    type->bTemporalCompression = own.bTemporalCompression;
    type->lSampleSize = own.lSampleSize;
    type->formattype = own.formattype;
    type->pUnk = nullptr;
    type->cbFormat = own.cbFormat;
    type->pbFormat = own.cbFormat != 0 ? format : nullptr;
    if (own.cbFormat != 0) {
        memcpy(format, own.pbFormat, own.cbFormat);
    }
    *size = needed;
    return S_OK;
}

STDMETHODIMP CWMStreamConfig::SetMediaType(WM_MEDIA_TYPE* type) {
    if (type == nullptr || (type->cbFormat != 0 && type->pbFormat == nullptr)) {
        return E_POINTER;
    }
    // A stream keeps its kind: a sound stream cannot become a picture.
    if (type->majortype != settings_.type) {
        return E_INVALIDARG;
    }
    return settings_.mediaType.Set(PlainType(*type)) ? S_OK : E_OUTOFMEMORY;
}

// --- CWMProfile ---

CWMProfile::CWMProfile(std::wstring name, std::vector<StreamSettings> streams, const GUID& origin)
    : CUnknown(L"bench WM profile"), name_(std::move(name)), streams_(std::move(streams)), origin_(origin) {}

HRESULT CWMProfile::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IUnknown || riid == __uuidof(IWMProfile)) {
        return dshowbase::GetInterface(static_cast<IWMProfile*>(this), ppv);
    }
    if (riid == IID_IBenchProfileOrigin) {
        return dshowbase::GetInterface(static_cast<IBenchProfileOrigin*>(this), ppv);
    }
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CWMProfile::GetVersion(WMT_VERSION* version) { return GiveOut(WMT_VER_8_0, version); }

STDMETHODIMP CWMProfile::GetName(WCHAR* name, DWORD* length) { return CopyOut(name_, name, length); }

STDMETHODIMP CWMProfile::SetName(const WCHAR* name) { return CopyIn(name, &name_); }

STDMETHODIMP CWMProfile::GetDescription(WCHAR* description, DWORD* length) {
    return CopyOut(description_, description, length);
}

STDMETHODIMP CWMProfile::SetDescription(const WCHAR* description) { return CopyIn(description, &description_); }

STDMETHODIMP CWMProfile::GetStreamCount(DWORD* count) { return GiveOut(static_cast<DWORD>(streams_.size()), count); }

HRESULT CWMProfile::HandOut(const StreamSettings& settings, IWMStreamConfig** config) {
    CWMStreamConfig* copy = new (std::nothrow) CWMStreamConfig(settings);
    if (copy == nullptr) {
        return E_OUTOFMEMORY;
    }
    return dshowbase::GetInterface(static_cast<IWMStreamConfig*>(copy), reinterpret_cast<void**>(config));
}

int CWMProfile::Find(WORD number) const {
    for (size_t i = 0; i < streams_.size(); ++i) {
        if (streams_[i].number == number) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

STDMETHODIMP CWMProfile::GetStream(DWORD index, IWMStreamConfig** config) {
    if (config == nullptr) {
        return E_POINTER;
    }
    *config = nullptr;
    if (index >= streams_.size()) {
        return E_INVALIDARG;
    }
    return HandOut(streams_[index], config);
}

STDMETHODIMP CWMProfile::GetStreamByNumber(WORD number, IWMStreamConfig** config) {
    if (config == nullptr) {
        return E_POINTER;
    }
    *config = nullptr;
    const int index = Find(number);
    return index < 0 ? E_INVALIDARG : HandOut(streams_[static_cast<size_t>(index)], config);
}

STDMETHODIMP CWMProfile::RemoveStream(IWMStreamConfig* config) {
    if (config == nullptr) {
        return E_POINTER;
    }
    WORD number = 0;
    const HRESULT hr = config->GetStreamNumber(&number);
    return FAILED(hr) ? hr : RemoveStreamByNumber(number);
}

STDMETHODIMP CWMProfile::RemoveStreamByNumber(WORD number) {
    const int index = Find(number);
    if (index < 0) {
        return E_INVALIDARG;
    }
    streams_.erase(streams_.begin() + index);
    return S_OK;
}

STDMETHODIMP CWMProfile::AddStream(IWMStreamConfig* config) {
    StreamSettings settings;
    const HRESULT hr = ReadStream(config, &settings);
    if (FAILED(hr)) {
        return hr;
    }
    if (settings.number == 0 || settings.number > kMaxStreamNumber || Find(settings.number) >= 0) {
        return E_INVALIDARG;
    }
    streams_.push_back(std::move(settings));
    return S_OK;
}

STDMETHODIMP CWMProfile::ReconfigStream(IWMStreamConfig* config) {
    StreamSettings settings;
    const HRESULT hr = ReadStream(config, &settings);
    if (FAILED(hr)) {
        return hr;
    }
    const int index = Find(settings.number);
    if (index < 0) {
        return E_INVALIDARG;
    }
    streams_[static_cast<size_t>(index)] = std::move(settings);
    return S_OK;
}

STDMETHODIMP CWMProfile::CreateNewStream(REFGUID type, IWMStreamConfig** config) {
    if (config == nullptr) {
        return E_POINTER;
    }
    *config = nullptr;
    StreamSettings settings;
    settings.type = type;
    settings.mediaType.majortype = type;
    return HandOut(settings, config);
}

STDMETHODIMP CWMProfile::GetMutualExclusionCount(DWORD* count) { return GiveOut(DWORD{0}, count); }

STDMETHODIMP CWMProfile::GetMutualExclusion(DWORD, IWMMutualExclusion** exclusion) {
    if (exclusion != nullptr) {
        *exclusion = nullptr;
    }
    return E_INVALIDARG;
}

STDMETHODIMP CWMProfile::RemoveMutualExclusion(IWMMutualExclusion*) { return E_INVALIDARG; }

// The system profiles have no mutually exclusive streams, and nothing in
// the suite builds any.
STDMETHODIMP CWMProfile::AddMutualExclusion(IWMMutualExclusion*) { return E_NOTIMPL; }

STDMETHODIMP CWMProfile::CreateNewMutualExclusion(IWMMutualExclusion** exclusion) {
    if (exclusion != nullptr) {
        *exclusion = nullptr;
    }
    return E_NOTIMPL;
}

STDMETHODIMP CWMProfile::GetOrigin(GUID* systemProfile) { return GiveOut(origin_, systemProfile); }

}  // namespace standins
