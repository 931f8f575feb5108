// An IVideoEffect that records what the pages send, for the calls the real
// filter cannot report back (the frame file asked for, white-balance mode
// and period, the reserved score call).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "IVideoEffect.h"

namespace lenstinttest {

class CRecordingVideoEffect : public IVideoEffect {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IVideoEffect) {
            *ppv = static_cast<IVideoEffect*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }

    STDMETHODIMP GetEffect(int* id, int* param) override {
        *id = effectId;
        *param = effectParam;
        return S_OK;
    }
    STDMETHODIMP SetEffect(int id, int param) override {
        calls.push_back(L"SetEffect(" + std::to_wstring(id) + L"," + std::to_wstring(param) + L")");
        effectId = id;
        effectParam = param;
        return S_OK;
    }
    STDMETHODIMP LoadFrameImage(const WCHAR* path, int, int, int source, const WCHAR*, const WCHAR*) override {
        calls.push_back(L"LoadFrameImage(" + std::wstring(path ? path : L"") + L"," + std::to_wstring(source) + L")");
        return E_FAIL;  // as for a missing file
    }
    STDMETHODIMP SetStampText(const WCHAR*, int, int, const WCHAR*, int, int, int, int, int, int, int) override {
        return Unexpected(L"SetStampText");
    }
    STDMETHODIMP SetText(const WCHAR*, int, int, int, int, const WCHAR*) override { return Unexpected(L"SetText"); }
    STDMETHODIMP EnableText(int) override { return Unexpected(L"EnableText"); }
    STDMETHODIMP SetZoom(int, int, float, int, int) override { return Unexpected(L"SetZoom"); }
    STDMETHODIMP ShowFps(int on) override { return Record(L"ShowFps", {on}); }
    STDMETHODIMP SetGammaCorrect(int) override { return Unexpected(L"SetGammaCorrect"); }
    STDMETHODIMP SetGammaAdjustment(int, int, int, int, int) override { return Unexpected(L"SetGammaAdjustment"); }
    STDMETHODIMP SetAutoWhiteBalance(int on, int mode, int period) override {
        return Record(L"SetAutoWhiteBalance", {on, mode, period});
    }
    STDMETHODIMP SetDespeckle(int on) override { return Record(L"SetDespeckle", {on}); }
    STDMETHODIMP GetFeatureState(int index, int* value) override {
        *value = index >= 0 && index < 11 ? features[index] : 0;
        return S_OK;
    }
    STDMETHODIMP Reserved16(int, int, int, int, int) override { return Unexpected(L"Reserved16"); }
    STDMETHODIMP Reserved17(int, int, int) override { return Unexpected(L"Reserved17"); }
    STDMETHODIMP Reserved18(int) override { return Unexpected(L"Reserved18"); }
    STDMETHODIMP Reserved19(int) override { return Unexpected(L"Reserved19"); }
    STDMETHODIMP Reserved20(int, int, int, int) override { return Unexpected(L"Reserved20"); }
    STDMETHODIMP Reserved21(int, int) override { return Unexpected(L"Reserved21"); }
    STDMETHODIMP Reserved22(int) override { return Unexpected(L"Reserved22"); }
    STDMETHODIMP Reserved23(int) override { return Unexpected(L"Reserved23"); }
    STDMETHODIMP Reserved24(int) override { return Unexpected(L"Reserved24"); }
    STDMETHODIMP Reserved25(int, int, int, int) override { return Unexpected(L"Reserved25"); }
    STDMETHODIMP Reserved26(int, int) override { return Unexpected(L"Reserved26"); }
    STDMETHODIMP Reserved27(int, int) override { return Unexpected(L"Reserved27"); }
    STDMETHODIMP Reserved28() override { return Record(L"Reserved28", {}); }

    LONG refs = 1;
    int effectId = 23;
    int effectParam = 0;
    int features[11] = {};
    std::vector<std::wstring> calls;

private:
    HRESULT Record(const wchar_t* name, std::initializer_list<int> args) {
        std::wstring call = std::wstring(name) + L"(";
        bool first = true;
        for (int a : args) {
            if (!first) call += L",";
            call += std::to_wstring(a);
            first = false;
        }
        calls.push_back(call + L")");
        return S_OK;
    }
    // A page has no business calling these; recorded so a test sees it.
    HRESULT Unexpected(const wchar_t* name) {
        calls.push_back(std::wstring(L"unexpected ") + name);
        return E_NOTIMPL;
    }
};

}  // namespace lenstinttest
