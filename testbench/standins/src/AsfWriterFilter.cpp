#include "AsfWriterFilter.h"

#include "SinkFile.h"
#include "SystemProfiles.h"
#include "TaskMemory.h"

#include <new>

namespace standins {
namespace {

constexpr size_t kMaxFileName = 32767;

std::string GuidText(const GUID& guid) {
    if (guid == GUID_NULL) {
        return "none";
    }
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return std::string(text, text + wcslen(text));
}

AsfStreamRecord StreamRecord(const StreamSettings& stream) {
    AsfStreamRecord record;
    record.type = stream.type == MEDIATYPE_Audio ? "audio" : stream.type == MEDIATYPE_Video ? "video" : "other";
    record.number = stream.number;
    record.bitrate = stream.bitrate;
    const VIDEOINFOHEADER* info = dshowbase::VideoInfo(stream.mediaType);
    if (info != nullptr) {
        record.width = info->bmiHeader.biWidth;
        record.height = info->bmiHeader.biHeight;
        record.source = {info->rcSource.left, info->rcSource.top, info->rcSource.right, info->rcSource.bottom};
        record.target = {info->rcTarget.left, info->rcTarget.top, info->rcTarget.right, info->rcTarget.bottom};
    }
    return record;
}

}  // namespace

dshowbase::CUnknown* CAsfWriterFilter::Create(HRESULT*) { return new (std::nothrow) CAsfWriterFilter(); }

CAsfWriterFilter::CAsfWriterFilter()
    : CRendererFilter(L"bench WM ASF writer", CLSID_WMAsfWriter, &lock_),
      audio_(new CAsfInputPin(this, &lock_, AsfPinKind::Audio)),
      video_(new CAsfInputPin(this, &lock_, AsfPinKind::Video)) {
    const SystemProfile& profile = DefaultSystemProfile();
    bool changed = false;
    ApplyProfile(SystemProfileStreams(profile), profile.guid, "default", &changed);
}

CAsfWriterFilter::~CAsfWriterFilter() = default;

HRESULT CAsfWriterFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
    if (riid == IID_IFileSinkFilter || riid == IID_IFileSinkFilter2) {
        return dshowbase::GetInterface(static_cast<IFileSinkFilter2*>(this), ppv);
    }
    if (riid == IID_IConfigAsfWriter) {
        return dshowbase::GetInterface(static_cast<IConfigAsfWriter*>(this), ppv);
    }
    return CRendererFilter::NonDelegatingQueryInterface(riid, ppv);
}

int CAsfWriterFilter::GetPinCount() {
    dshowbase::CAutoLock lock(&lock_);
    return static_cast<int>(shown_.size());
}

dshowbase::CBasePin* CAsfWriterFilter::GetPin(int index) {
    dshowbase::CAutoLock lock(&lock_);
    if (index < 0 || static_cast<size_t>(index) >= shown_.size()) {
        return nullptr;
    }
    return shown_[static_cast<size_t>(index)];
}

STDMETHODIMP CAsfWriterFilter::Stop() {
    dshowbase::CAutoLock lock(&lock_);
    const bool wasActive = !IsStopped();
    HRESULT hr = CBaseFilter::Stop();
    if (wasActive) {
        const HRESULT written = WriteRecord();
        if (SUCCEEDED(hr)) {
            hr = written;
        }
    }
    return hr;
}

STDMETHODIMP CAsfWriterFilter::Pause() {
    dshowbase::CAutoLock lock(&lock_);
    if (IsStopped()) {
        if (fileName_.empty()) {
            return E_UNEXPECTED;
        }
        // The writer needs every stream of its profile.
        for (CAsfInputPin* pin : shown_) {
            if (!pin->IsConnected()) {
                return VFW_E_NOT_CONNECTED;
            }
        }
        // Create the file now, so that a path that cannot be written fails
        // the start rather than the end of a recording.
        CSinkFile file;
        const HRESULT hr = file.Open(fileName_, true);
        if (FAILED(hr)) {
            return hr;
        }
    }
    return CRendererFilter::Pause();
}

STDMETHODIMP CAsfWriterFilter::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*) {
    if (name == nullptr) {
        return E_POINTER;
    }
    const size_t length = wcsnlen(name, kMaxFileName + 1);
    if (length == 0 || length > kMaxFileName) {
        return E_INVALIDARG;
    }
    dshowbase::CAutoLock lock(&lock_);
    if (!IsStopped()) {
        return VFW_E_NOT_STOPPED;
    }
    fileName_.assign(name, length);
    return S_OK;
}

STDMETHODIMP CAsfWriterFilter::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) {
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = nullptr;
    dshowbase::CAutoLock lock(&lock_);
    if (fileName_.empty()) {
        return E_FAIL;
    }
    const HRESULT hr = CopyToTaskMemory(fileName_, name);
    if (FAILED(hr)) {
        return hr;
    }
    if (type != nullptr) {
        *type = AM_MEDIA_TYPE{};
        type->majortype = MEDIATYPE_Stream;
        type->subtype = MEDIASUBTYPE_Asf;
    }
    return S_OK;
}

// The writer always replaces an existing file.
STDMETHODIMP CAsfWriterFilter::SetMode(DWORD flags) { return flags == AM_FILE_OVERWRITE ? S_OK : E_INVALIDARG; }

STDMETHODIMP CAsfWriterFilter::GetMode(DWORD* flags) {
    if (flags == nullptr) {
        return E_POINTER;
    }
    *flags = AM_FILE_OVERWRITE;
    return S_OK;
}

// Numbered profiles of the old Windows Media Format 4.0 are not kept here.
STDMETHODIMP CAsfWriterFilter::ConfigureFilterUsingProfileId(DWORD) { return E_NOTIMPL; }

STDMETHODIMP CAsfWriterFilter::GetCurrentProfileId(DWORD* profileId) {
    if (profileId == nullptr) {
        return E_POINTER;
    }
    *profileId = 0;
    return E_NOTIMPL;
}

STDMETHODIMP CAsfWriterFilter::ConfigureFilterUsingProfileGuid(REFGUID guid) {
    const SystemProfile* profile = FindSystemProfile(guid);
    if (profile == nullptr) {
        return E_FAIL;
    }
    return Configure(SystemProfileStreams(*profile), guid, "guid");
}

STDMETHODIMP CAsfWriterFilter::GetCurrentProfileGuid(GUID* guid) {
    if (guid == nullptr) {
        return E_POINTER;
    }
    dshowbase::CAutoLock lock(&lock_);
    // A profile object the caller handed in is no system profile, even when
    // it was made from one.
    *guid = profileSource_ == "profile" ? GUID_NULL : origin_;
    return S_OK;
}

STDMETHODIMP CAsfWriterFilter::ConfigureFilterUsingProfile(IWMProfile* profile) {
    if (profile == nullptr) {
        return E_POINTER;
    }
    std::vector<StreamSettings> streams;
    const HRESULT hr = ReadProfile(profile, &streams);
    if (FAILED(hr)) {
        return hr;
    }
    GUID origin = GUID_NULL;
    IBenchProfileOrigin* ours = nullptr;
    if (SUCCEEDED(profile->QueryInterface(IID_IBenchProfileOrigin, reinterpret_cast<void**>(&ours)))) {
        ours->GetOrigin(&origin);
        ours->Release();
    }
    return Configure(std::move(streams), origin, "profile");
}

STDMETHODIMP CAsfWriterFilter::GetCurrentProfile(IWMProfile** profile) {
    if (profile == nullptr) {
        return E_POINTER;
    }
    *profile = nullptr;
    dshowbase::CAutoLock lock(&lock_);
    const SystemProfile* system = FindSystemProfile(origin_);
    CWMProfile* copy = new (std::nothrow) CWMProfile(system != nullptr ? system->name : L"Custom", profile_, origin_);
    if (copy == nullptr) {
        return E_OUTOFMEMORY;
    }
    return dshowbase::GetInterface(static_cast<IWMProfile*>(copy), reinterpret_cast<void**>(profile));
}

STDMETHODIMP CAsfWriterFilter::SetIndexMode(BOOL indexFile) {
    dshowbase::CAutoLock lock(&lock_);
    indexMode_ = indexFile;
    return S_OK;
}

STDMETHODIMP CAsfWriterFilter::GetIndexMode(BOOL* indexFile) {
    if (indexFile == nullptr) {
        return E_POINTER;
    }
    dshowbase::CAutoLock lock(&lock_);
    *indexFile = indexMode_;
    return S_OK;
}

HRESULT CAsfWriterFilter::Configure(std::vector<StreamSettings> streams, const GUID& origin, const char* source) {
    bool pinsChanged = false;
    HRESULT hr;
    {
        dshowbase::CAutoLock lock(&lock_);
        if (!IsStopped()) {
            return VFW_E_WRONG_STATE;
        }
        hr = ApplyProfile(std::move(streams), origin, source, &pinsChanged);
        if (SUCCEEDED(hr)) {
            ++configurations_;
        }
    }
    if (pinsChanged) {
        NotifyEvent(EC_GRAPH_CHANGED, 0, 0);
    }
    return hr;
}

HRESULT CAsfWriterFilter::ApplyProfile(std::vector<StreamSettings> streams, const GUID& origin, const char* source,
                                       bool* pinsChanged) {
    // One pin per stream; the bench has one sound and one picture pin.
    std::vector<CAsfInputPin*> shown;
    for (const StreamSettings& stream : streams) {
        CAsfInputPin* pin = stream.type == MEDIATYPE_Audio   ? audio_.get()
                            : stream.type == MEDIATYPE_Video ? video_.get()
                                                             : nullptr;
        for (CAsfInputPin* taken : shown) {
            if (taken == pin) {
                pin = nullptr;
            }
        }
        if (pin == nullptr) {
            return E_INVALIDARG;
        }
        shown.push_back(pin);
    }
    if (shown.empty()) {
        return E_INVALIDARG;
    }
    // A profile may drop a stream whose pin is free, never one that carries
    // a connection.
    for (CAsfInputPin* pin : {audio_.get(), video_.get()}) {
        bool kept = false;
        for (CAsfInputPin* next : shown) {
            kept = kept || next == pin;
        }
        if (!kept && pin->IsConnected()) {
            return VFW_E_ALREADY_CONNECTED;
        }
    }
    *pinsChanged = shown != shown_;
    shown_ = std::move(shown);
    profile_ = std::move(streams);
    origin_ = origin;
    profileSource_ = source;
    return S_OK;
}

bool CAsfWriterFilter::AllStreamsEnded() {
    for (CAsfInputPin* pin : shown_) {
        if (!pin->EndOfStreamSeen()) {
            return false;
        }
    }
    return !shown_.empty();
}

AsfRecord CAsfWriterFilter::BuildRecord() {
    AsfRecord record;
    record.profileGuid = GuidText(origin_);
    record.profileSource = profileSource_;
    record.configurations = configurations_;
    for (const StreamSettings& stream : profile_) {
        record.streams.push_back(StreamRecord(stream));
    }
    for (CAsfInputPin* pin : shown_) {
        record.pins.push_back(pin->Record());
    }
    return record;
}

HRESULT CAsfWriterFilter::WriteRecord() {
    const std::string text = FormatAsfRecord(BuildRecord());
    CSinkFile file;
    const HRESULT hr = file.Open(fileName_, true);
    if (FAILED(hr)) {
        return hr;
    }
    return file.WriteAt(0, text.data(), static_cast<DWORD>(text.size()));
}

}  // namespace standins
