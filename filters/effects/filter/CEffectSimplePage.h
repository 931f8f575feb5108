// The effect gallery page: two tabs of thumbnails, filters and photo frames.
// A click applies the chosen effect at once, so the page is never dirty.
#pragma once

#include <wrl/client.h>

#include <string>

#include "CEffectThumb.h"
#include "IVideoEffect.h"
#include "dshowbase/PropertyPage.h"

namespace lenstint {

class CEffectSimplePage final : public dshowbase::CBasePropertyPage {
public:
    CEffectSimplePage();

    DSHOWBASE_PROPERTY_PAGE_HOOKS

    // Where the grid sits on the page, in pixels.
    static constexpr int kGridX = 10, kGridY = 30, kGridWidth = 320, kGridHeight = 272;
    static constexpr int kGridControlId = 1066;

private:
    enum class Sheet { Filters = 0, Frames = 1 };

    // A gallery item of one sheet becomes the filter's effect.
    HRESULT Choose(Sheet sheet, WPARAM item);
    bool CreateTabs();
    void FillGrid();

    Microsoft::WRL::ComPtr<IVideoEffect> effect_;
    std::wstring installFolder_;
    std::wstring languageFile_;
    HWND tabs_ = nullptr;  // a child of the dialog, gone with it
    CEffectThumb grid_;
    bool gridExists_ = false;
    int controlId_ = 0;
    int param_ = 0;
};

}  // namespace lenstint
