// How both of the filter's pages take hold of the object a frame gives them.
#pragma once

#include <wrl/client.h>

#include "IVideoEffect.h"

namespace lenstint {

// The object's IVideoEffect: E_POINTER for no object, E_NOINTERFACE when
// refused, E_FAIL for a null answer.
inline HRESULT QueryVideoEffect(IUnknown* object, Microsoft::WRL::ComPtr<IVideoEffect>& effect) {
    effect.Reset();
    if (!object) return E_POINTER;
    Microsoft::WRL::ComPtr<IVideoEffect> answer;
    if (FAILED(object->QueryInterface(IID_IVideoEffect, reinterpret_cast<void**>(answer.GetAddressOf()))))
        return E_NOINTERFACE;
    if (!answer) return E_FAIL;
    effect = answer;
    return S_OK;
}

}  // namespace lenstint
