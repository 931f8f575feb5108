#include "dshowbase/PersistStream.h"
#include "CallGuard.h"
#include "failtrail/FailTrail.h"

#include <vfwmsgs.h>

#include <climits>
#include <cstdio>

namespace dshowbase {
namespace {

constexpr ULONG kIntChars = 12;

}  // namespace

STDMETHODIMP CPersistStream::IsDirty() { return dirty_ ? S_OK : S_FALSE; }

STDMETHODIMP CPersistStream::Load(IStream* stream) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (stream == nullptr) {
            return E_POINTER;
        }
        int version = 0;
        RETURN_IF_FAILED(ReadInt(stream, &version));
        fileVersion_ = static_cast<DWORD>(version);
        return ReadFromStream(stream);
    });
}

STDMETHODIMP CPersistStream::Save(IStream* stream, BOOL clearDirty) {
    return boundary::GuardedCall([&]() -> HRESULT {
        if (stream == nullptr) {
            return E_POINTER;
        }
        RETURN_IF_FAILED(WriteInt(stream, static_cast<int>(GetSoftwareVersion())));
        RETURN_IF_FAILED(WriteToStream(stream));
        if (clearDirty) {
            dirty_ = false;
        }
        return S_OK;
    });
}

STDMETHODIMP CPersistStream::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr) {
        return E_POINTER;
    }
    size->QuadPart = static_cast<ULONGLONG>(SizeMax());
    return S_OK;
}

HRESULT CPersistStream::WriteToStream(IStream*) { return S_OK; }

HRESULT CPersistStream::ReadFromStream(IStream*) { return S_OK; }

int CPersistStream::SizeMax() { return static_cast<int>(kIntChars * sizeof(wchar_t)); }

DWORD CPersistStream::GetSoftwareVersion() { return 0; }

HRESULT CPersistStream::PersistQueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    if (riid == IID_IPersistStream) {
        *ppv = static_cast<IPersistStream*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT CPersistStream::WriteInt(IStream* stream, int value) {
    if (stream == nullptr) {
        return E_POINTER;
    }
    // The stored form is UTF-16 whatever wchar_t is where this is built.
    char text[kIntChars + 8];
    std::snprintf(text, sizeof(text), "%011d ", value);
    WCHAR field[kIntChars];
    for (ULONG i = 0; i < kIntChars; ++i) {
        field[i] = static_cast<WCHAR>(text[i]);
    }
    ULONG written = 0;
    RETURN_IF_FAILED(stream->Write(field, sizeof(field), &written));
    return written == sizeof(field) ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT CPersistStream::ReadInt(IStream* stream, int* value) {
    if (stream == nullptr || value == nullptr) {
        return E_POINTER;
    }
    WCHAR field[kIntChars];
    ULONG read = 0;
    RETURN_IF_FAILED(stream->Read(field, sizeof(field), &read));
    if (read != sizeof(field)) {
        return VFW_E_FILE_TOO_SHORT;
    }
    // Optional sign, digits, then the closing space; nothing else.
    ULONG i = 0;
    bool negative = false;
    if (field[0] == L'-') {
        negative = true;
        i = 1;
    }
    long long number = 0;
    ULONG digits = 0;
    for (; i < kIntChars - 1; ++i, ++digits) {
        if (field[i] < L'0' || field[i] > L'9') {
            return VFW_E_INVALID_FILE_FORMAT;
        }
        number = number * 10 + (field[i] - L'0');
    }
    if (digits == 0 || field[kIntChars - 1] != L' ') {
        return VFW_E_INVALID_FILE_FORMAT;
    }
    if (negative) {
        number = -number;
    }
    if (number < INT_MIN || number > INT_MAX) {
        return VFW_E_INVALID_FILE_FORMAT;
    }
    *value = static_cast<int>(number);
    return S_OK;
}

}  // namespace dshowbase
