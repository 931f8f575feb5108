#include "BaseBoardProduct.h"

#include <windows.h>
#include <wbemidl.h>
#include <wrl/client.h>

#include "WideText.h"
#include "winowners/ComOwners.h"

namespace vimbrel::controller {
namespace {

using Microsoft::WRL::ComPtr;

// COM for the calling thread, balanced when this object started it.
class CComScope {
public:
    CComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;
    // A thread already in another apartment can still make the calls.
    bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

// The pause between two asks for the first object.
constexpr DWORD kAskAgainMs = 50;

}  // namespace

std::u16string QueryBaseBoardProduct(HANDLE stop) {
    CComScope com;
    if (!com.Usable()) return {};
    const HRESULT security = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                                  RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    if (FAILED(security) && security != RPC_E_TOO_LATE) return {};

    ComPtr<IWbemLocator> locator;
    if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&locator)))) return {};
    ComPtr<IWbemServices> services;
    const winowners::UniqueBstr space(SysAllocString(L"ROOT\\CIMV2"));
    if (FAILED(locator->ConnectServer(space.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services)))
        return {};
    if (FAILED(CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                                 RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE)))
        return {};
    ComPtr<IEnumWbemClassObject> boards;
    const winowners::UniqueBstr language(SysAllocString(L"WQL"));
    const winowners::UniqueBstr query(SysAllocString(L"SELECT * from Win32_BaseBoard"));
    if (FAILED(services->ExecQuery(language.get(), query.get(), WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &boards)))
        return {};
    // A query that returns at once is still running: one ask that waits no
    // time finds no object on most systems, so it is asked again, with the
    // pauses on the stop event. WMI that answers slower than the bound
    // counts as failing, as every other WMI failure does.
    ComPtr<IWbemClassObject> board;
    ULONG returned = 0;
    const DWORD started = GetTickCount();
    for (;;) {
        const HRESULT asked = boards->Next(WBEM_NO_WAIT, 1, &board, &returned);
        if (asked == WBEM_S_NO_ERROR && returned == 1) break;
        if (asked != WBEM_S_TIMEDOUT || GetTickCount() - started >= kBoardQueryBoundMs) return {};
        if (stop != nullptr ? WaitForSingleObject(stop, kAskAgainMs) == WAIT_OBJECT_0 : (Sleep(kAskAgainMs), false))
            return {};
    }
    winowners::UniqueVariant product;
    if (FAILED(board->Get(L"Product", 0, product.put(), nullptr, nullptr)) || product.bstr() == nullptr) return {};
    return CopyToU16(product.bstr());
}

}  // namespace vimbrel::controller
