#include "SavedEffect.h"

#include <vfwmsgs.h>

#include <cstring>

#include "failtrail/FailTrail.h"
#include "kernels/EffectSettings.h"

namespace lenstint {
namespace {

namespace fx = vimbrel::effects;

constexpr int kNameNone = 0;
constexpr int kNameNumber = 1;
constexpr int kNameText = 2;
// A resource name is at most what a resource directory entry can hold.
constexpr int kLongestResourceName = 0xFFFF;

class CWriter {
public:
    template <typename T>
    void Put(const T& value) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&value);
        bytes_.insert(bytes_.end(), bytes, bytes + sizeof(T));
    }
    void PutText(const std::wstring& text) {
        Put(static_cast<int>(text.size()));
        const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
        bytes_.insert(bytes_.end(), bytes, bytes + text.size() * sizeof(WCHAR));
    }
    void PutName(const CResourceName& name) {
        const WCHAR* value = name.Get();
        if (value == nullptr) {
            Put(kNameNone);
        } else if (IS_INTRESOURCE(value)) {
            Put(kNameNumber);
            Put(static_cast<int>(reinterpret_cast<ULONG_PTR>(value)));
        } else {
            Put(kNameText);
            PutText(value);
        }
    }
    const std::vector<BYTE>& Bytes() const { return bytes_; }

private:
    std::vector<BYTE> bytes_;
};

std::vector<BYTE> Encode(const SavedEffect& saved) {
    CWriter out;
    out.Put(saved.controlId);
    out.Put(saved.parameter);
    for (int i = 0; i < fx::kJitterCount; ++i) {
        out.Put(i < static_cast<int>(saved.jitter.size()) ? saved.jitter[i] : static_cast<signed char>(0));
    }
    out.Put(saved.kaleidoscope.x);
    out.Put(saved.kaleidoscope.y);
    out.Put(saved.kaleidoscope.vx);
    out.Put(saved.kaleidoscope.vy);
    out.Put(saved.frameKept ? 1 : 0);
    if (saved.frameKept) {
        out.Put(saved.frameSource);
        out.PutText(saved.framePath);
        out.PutName(saved.frameName);
        out.PutName(saved.frameType);
    }
    return out.Bytes();
}

HRESULT ReadExactly(IStream* stream, void* into, ULONG size) {
    ULONG read = 0;
    RETURN_IF_FAILED(stream->Read(into, size, &read));
    return read == size ? S_OK : VFW_E_FILE_TOO_SHORT;
}

template <typename T>
HRESULT Get(IStream* stream, T& value) {
    return ReadExactly(stream, &value, sizeof(T));
}

HRESULT GetText(IStream* stream, int longest, std::wstring& text) {
    int length = 0;
    RETURN_IF_FAILED(Get(stream, length));
    if (length < 0 || length > longest) return VFW_E_INVALID_FILE_FORMAT;
    text.assign(static_cast<std::size_t>(length), L'\0');
    if (length == 0) return S_OK;
    RETURN_IF_FAILED(ReadExactly(stream, &text[0], static_cast<ULONG>(length) * sizeof(WCHAR)));
    // A name or path ends at its terminator; one inside would cut it short.
    return text.find(L'\0') == std::wstring::npos ? S_OK : VFW_E_INVALID_FILE_FORMAT;
}

HRESULT GetName(IStream* stream, CResourceName& name) {
    int kind = 0;
    RETURN_IF_FAILED(Get(stream, kind));
    if (kind == kNameNone) {
        name.Set(nullptr);
        return S_OK;
    }
    if (kind == kNameNumber) {
        int number = 0;
        RETURN_IF_FAILED(Get(stream, number));
        if (number < 0 || number > 0xFFFF) return VFW_E_INVALID_FILE_FORMAT;
        name.Set(MAKEINTRESOURCEW(number));
        return S_OK;
    }
    if (kind != kNameText) return VFW_E_INVALID_FILE_FORMAT;
    std::wstring text;
    RETURN_IF_FAILED(GetText(stream, kLongestResourceName, text));
    name.Set(text.c_str());
    return S_OK;
}

}  // namespace

HRESULT WriteSavedEffect(IStream* stream, const SavedEffect& saved) {
    const std::vector<BYTE> bytes = Encode(saved);
    ULONG written = 0;
    RETURN_IF_FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written));
    return written == bytes.size() ? S_OK : STG_E_MEDIUMFULL;
}

ULONG SavedEffectBytes(const SavedEffect& saved) { return static_cast<ULONG>(Encode(saved).size()); }

HRESULT ReadSavedEffect(IStream* stream, SavedEffect& saved) {
    RETURN_IF_FAILED(Get(stream, saved.controlId));
    RETURN_IF_FAILED(Get(stream, saved.parameter));
    saved.jitter.assign(fx::kJitterCount, 0);
    RETURN_IF_FAILED(ReadExactly(stream, saved.jitter.data(), fx::kJitterCount));
    for (signed char offset : saved.jitter) {
        // SetEffect draws them in -4..4; the kernel's reach is planned on it.
        if (offset < -4 || offset > 4) return VFW_E_INVALID_FILE_FORMAT;
    }
    RETURN_IF_FAILED(Get(stream, saved.kaleidoscope.x));
    RETURN_IF_FAILED(Get(stream, saved.kaleidoscope.y));
    RETURN_IF_FAILED(Get(stream, saved.kaleidoscope.vx));
    RETURN_IF_FAILED(Get(stream, saved.kaleidoscope.vy));
    int kept = 0;
    RETURN_IF_FAILED(Get(stream, kept));
    if (kept != 0 && kept != 1) return VFW_E_INVALID_FILE_FORMAT;
    saved.frameKept = kept == 1;
    if (!saved.frameKept) return S_OK;
    RETURN_IF_FAILED(Get(stream, saved.frameSource));
    // The filter keeps paths shorter than its record; a longer one was never saved.
    RETURN_IF_FAILED(GetText(stream, fx::kSavedTextChars - 1, saved.framePath));
    RETURN_IF_FAILED(GetName(stream, saved.frameName));
    return GetName(stream, saved.frameType);
}

}  // namespace lenstint
