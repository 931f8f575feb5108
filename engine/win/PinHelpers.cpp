#include "engine/win/PinHelpers.h"

#include "dshowbase/InfoOwners.h"
#include "engine/core/DeviceNameRules.h"
#include "failtrail/FailTrail.h"

namespace camera {

namespace {

bool IsFree(IPin* pin) {
    ComPtr<IPin> peer;
    return pin->ConnectedTo(peer.GetAddressOf()) == VFW_E_NOT_CONNECTED;
}

bool NameContains(IPin* pin, const wchar_t* wanted) { return PinNameContains(AsUtf16(PinName(pin)), AsUtf16(wanted)); }

// A pin that does not tell its category could be anything and is taken;
// only a declared still-image pin is passed over.
bool IsStillPin(IPin* pin) {
    ComPtr<IKsPropertySet> properties;
    RETURN_VALUE_IF_FAILED(false, QueryTo(pin, IID_IKsPropertySet, properties));
    GUID category{};
    DWORD returned = 0;
    if (FAILED(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof category,
                               &returned)) ||
        returned < sizeof category)
        return false;
    return category == PIN_CATEGORY_STILL;
}

template <class Accept>
HRESULT WalkPins(IBaseFilter* filter, PIN_DIRECTION direction, ComPtr<IPin>& found, Accept accept) {
    found.Reset();
    ComPtr<IEnumPins> pins;
    RETURN_HR_IF(E_FAIL, FAILED(filter->EnumPins(pins.GetAddressOf())) || !pins);
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION pinDirection;
        if (FAILED(pin->QueryDirection(&pinDirection)) || pinDirection != direction) continue;
        if (accept(pin.Get())) {
            found = pin;
            return S_OK;
        }
    }
    return E_FAIL;
}

}  // namespace

std::wstring PinName(IPin* pin) {
    dshowbase::CPinInfo info;
    if (pin == nullptr || FAILED(pin->QueryPinInfo(info.put()))) return {};
    return info.Name();
}

HRESULT FindPin(IBaseFilter* filter, PIN_DIRECTION direction, const wchar_t* name, ComPtr<IPin>& pin) {
    pin.Reset();
    RETURN_HR_IF(E_FAIL, filter == nullptr);
    return WalkPins(filter, direction, pin, [name](IPin* candidate) {
        if (!IsFree(candidate)) return false;
        return name != nullptr ? NameContains(candidate, name) : !IsStillPin(candidate);
    });
}

HRESULT FindNthPin(IBaseFilter* filter, PIN_DIRECTION direction, int n, ComPtr<IPin>& pin) {
    pin.Reset();
    if (filter == nullptr) return E_POINTER;
    int seen = 0;
    return WalkPins(filter, direction, pin, [&seen, n](IPin*) { return seen++ == n; });
}

HRESULT ConnectFilters(IGraphBuilder* graph, IBaseFilter* source, const wchar_t* sourcePinName, IBaseFilter* target,
                       const wchar_t* targetPinName) {
    RETURN_HR_IF(E_FAIL, graph == nullptr);
    ComPtr<IPin> output;
    ComPtr<IPin> input;
    if (FAILED(FindPin(source, PINDIR_OUTPUT, sourcePinName, output)) ||
        FAILED(FindPin(target, PINDIR_INPUT, targetPinName, input)))
        return E_FAIL;
    return SUCCEEDED(graph->Connect(output.Get(), input.Get())) ? S_OK : E_FAIL;
}

}  // namespace camera
