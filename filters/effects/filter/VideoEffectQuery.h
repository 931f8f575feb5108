// How both of the filter's pages take hold of the object a frame gives them.
#pragma once

#include <wrl/client.h>

#include "EffectPageIds.h"
#include "IVideoEffect.h"

namespace lenstint {

// The object's IVideoEffect, and the effect it applies as the pages' control
// id and its parameter: E_POINTER for no object, E_NOINTERFACE when refused,
// E_FAIL for a null answer.
inline HRESULT ConnectVideoEffect(IUnknown* object, Microsoft::WRL::ComPtr<IVideoEffect>& effect, int& controlId,
                                  int& param) {
    effect.Reset();
    if (!object) return E_POINTER;
    Microsoft::WRL::ComPtr<IVideoEffect> answer;
    if (FAILED(object->QueryInterface(IID_IVideoEffect, reinterpret_cast<void**>(answer.GetAddressOf()))))
        return E_NOINTERFACE;
    if (!answer) return E_FAIL;
    effect = answer;
    int id = 0;
    effect->GetEffect(&id, &param);
    controlId = id + EFFECT_CONTROL_BASE;
    return S_OK;
}

}  // namespace lenstint
