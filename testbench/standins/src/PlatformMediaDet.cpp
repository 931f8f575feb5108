#include "PlatformMediaDet.h"

namespace standins {

HRESULT CPlatformMediaDet::Create()
{
    Reset();
    module_ = LoadLibraryW(L"qedit.dll");
    if (module_ == nullptr) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    // Through the generic function type, which any function pointer may be
    // cast to and from.
    using AnyFunction = void (*)();
    const auto getClassObject = reinterpret_cast<GetClassObjectFunction>(
        reinterpret_cast<AnyFunction>(GetProcAddress(module_, "DllGetClassObject")));
    HRESULT hr = E_NOINTERFACE;
    if (getClassObject != nullptr) {
        Microsoft::WRL::ComPtr<IClassFactory> factory;
        hr = getClassObject(__uuidof(MediaDet), IID_IClassFactory,
                            reinterpret_cast<void**>(factory.GetAddressOf()));
        if (SUCCEEDED(hr)) {
            hr = factory->CreateInstance(nullptr, __uuidof(IMediaDet),
                                         reinterpret_cast<void**>(detector_.GetAddressOf()));
        }
    }
    if (FAILED(hr)) {
        Reset();
    }
    return hr;
}

void CPlatformMediaDet::Reset()
{
    detector_.Reset();
    if (module_ != nullptr) {
        FreeLibrary(module_);
        module_ = nullptr;
    }
}

} // namespace standins
