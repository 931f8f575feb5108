#include "SkinPictures.h"

#include <commctrl.h>

namespace vimbrel::ui {

winowners::UniqueBitmap HBitmapOf(Gdiplus::Bitmap& image) {
    HBITMAP bitmap = nullptr;
    if (image.GetHBITMAP(Gdiplus::Color(255, 255, 255), &bitmap) != Gdiplus::Ok) return nullptr;
    return winowners::UniqueBitmap(bitmap);
}

CPatternBrush PatternBrushOf(Gdiplus::Bitmap& image) {
    CPatternBrush result;
    result.bitmap = HBitmapOf(image);
    if (result.bitmap) result.brush.reset(CreatePatternBrush(result.bitmap.get()));
    if (!result.brush) result.bitmap.reset();
    return result;
}

CPatternBrush LoadPatternBrush(const CSkinSource& source, const std::string& name) {
    auto image = source.LoadSkinImage(name);
    return image ? PatternBrushOf(*image) : CPatternBrush{};
}

HWND CreateSkinTooltip(HWND owner) {
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (tooltip) SendMessageW(tooltip, TTM_ACTIVATE, TRUE, 0);
    return tooltip;
}

namespace {
TTTOOLINFOW ToolInfo(HWND owner, UINT_PTR id) {
    TTTOOLINFOW info{};
    // The size of the oldest layout: every comctl32 version takes it.
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.hwnd = owner;
    info.uId = id;
    return info;
}
}  // namespace

void AddSkinTool(HWND tooltip, HWND owner, UINT_PTR id, const RECT& rect, const std::wstring& text) {
    if (!tooltip) return;
    TTTOOLINFOW info = ToolInfo(owner, id);
    info.rect = rect;
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void SetSkinToolText(HWND tooltip, HWND owner, UINT_PTR id, const std::wstring& text) {
    if (!tooltip) return;
    TTTOOLINFOW info = ToolInfo(owner, id);
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

std::wstring SkinToolText(HWND tooltip, HWND owner, UINT_PTR id) {
    if (!tooltip) return {};
    // Tooltip texts are at most 80 characters unless a buffer is supplied
    // through a notification; ours are button tips.
    wchar_t text[256] = {};
    TTTOOLINFOW info = ToolInfo(owner, id);
    info.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, sizeof(text) / sizeof(text[0]), reinterpret_cast<LPARAM>(&info));
    return text;
}

void RelayToTooltip(HWND tooltip, MSG& msg) {
    if (tooltip) SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void FillWithPattern(HDC dc, HRGN region, HBRUSH brush, POINT origin) {
    if (!dc || !region || !brush) return;
    POINT old{};
    SetBrushOrgEx(dc, origin.x, origin.y, &old);
    FillRgn(dc, region, brush);
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
}

}  // namespace vimbrel::ui
