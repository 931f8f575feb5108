// IPersistStream for filters that keep settings in a graph file. Mixed into a
// filter class beside CTransformFilter; the filter answers IID_IPersistStream
// in its NonDelegatingQueryInterface (PersistQueryInterface does that) and
// its DSHOWBASE_DECLARE_IUNKNOWN covers this branch too.
//
// Stream layout: a version field written as twelve UTF-16 characters, the
// number in "%011d " form, then whatever WriteToStream writes. Load reads the
// field (kept as FileVersion()) and hands the stream to ReadFromStream.
#pragma once

#include <objidl.h>
#include <windows.h>

namespace dshowbase {

class CPersistStream : public IPersistStream {
public:
    CPersistStream() = default;
    virtual ~CPersistStream() = default;

    // IPersistStream
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

    // What a filter provides.
    virtual HRESULT WriteToStream(IStream* stream);
    virtual HRESULT ReadFromStream(IStream* stream);
    // Bytes Save writes at most (the version field is 24 of them).
    virtual int SizeMax();
    virtual DWORD GetSoftwareVersion();

    void SetDirty(bool dirty) { dirty_ = dirty; }
    DWORD FileVersion() const { return fileVersion_; }

    HRESULT PersistQueryInterface(REFIID riid, void** ppv);

    // The twelve-character number field, also usable by WriteToStream.
    static HRESULT WriteInt(IStream* stream, int value);
    static HRESULT ReadInt(IStream* stream, int* value);

private:
    volatile bool dirty_ = false;
    DWORD fileVersion_ = 0;
};

}  // namespace dshowbase
