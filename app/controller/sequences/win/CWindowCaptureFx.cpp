#include "CWindowCaptureFx.h"
#include "winowners/GdiOwners.h"

#include <shlobj.h>
#include <vfw.h>

#include <gdiplus.h>
#include <wrl/client.h>

#include "BaseBoardProduct.h"
#include "SequenceRules.h"

namespace vimbrel::controller {
namespace {

constexpr UINT kFlashMessage = WM_APP + 1;
constexpr UINT kSoundMessage = WM_APP + 2;
constexpr DWORD kOwnThreadTimeoutMs = 5000;
const wchar_t kHelperClass[] = L"VimbrelCaptureFxHelper";

// A GIF's frames drawn stretched into the banner's place on the main window.
class CGdiplusBanner final : public IBannerAnimation {
public:
    CGdiplusBanner(HWND window, std::unique_ptr<Gdiplus::Image> image, Microsoft::WRL::ComPtr<IStream> stream)
        : m_window(window), m_image(std::move(image)), m_stream(std::move(stream)) {
        UINT dimensions = m_image->GetFrameDimensionsCount();
        if (dimensions > 0) {
            std::unique_ptr<GUID[]> ids(new GUID[dimensions]);
            if (m_image->GetFrameDimensionsList(ids.get(), dimensions) == Gdiplus::Ok) {
                m_dimension = ids[0];
                m_frames = static_cast<int>(m_image->GetFrameCount(&m_dimension));
            }
        }
    }
    ~CGdiplusBanner() override {
        m_image.reset();   // the image reads from the stream until it goes
        m_stream.Reset();
        // The frames were drawn over the window's own picture, outside its
        // painting: once the run is over (or cut short) the window paints
        // that place again, children included, so nothing of the last frame
        // stays. Asking for the paint is safe from this worker thread.
        if (m_drawn && IsWindow(m_window)) {
            RECT place{m_last.left, m_last.top, m_last.right, m_last.bottom};
            RedrawWindow(m_window, &place, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
    }
    int FrameCount() const override { return m_frames; }
    void DrawFrame(int index, const ControllerRect& r) override {
        if (!IsWindow(m_window)) return;
        m_image->SelectActiveFrame(&m_dimension, static_cast<UINT>(index));
        const auto dc = winowners::GetDCOwner(m_window);
        if (!dc) return;
        m_last = r;
        m_drawn = true;
        Gdiplus::Graphics graphics(dc.get());
        graphics.DrawImage(m_image.get(), Gdiplus::Rect(r.left, r.top, r.right - r.left, r.bottom - r.top));
    }

private:
    HWND m_window;
    std::unique_ptr<Gdiplus::Image> m_image;
    Microsoft::WRL::ComPtr<IStream> m_stream;
    GUID m_dimension{};
    int m_frames = 0;
    ControllerRect m_last{};
    bool m_drawn = false;
};

// A copy of a resource in a stream of its own (GDI+ reads the stream for
// as long as the picture lives).
IStream* ResourceStream(HMODULE module, const wchar_t* name, const wchar_t* type) {
    HRSRC found = FindResourceW(module, name, type);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    void* target = GlobalLock(copy);
    memcpy(target, bytes, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    return stream;
}

}  // namespace

CWindowCaptureFx::CWindowCaptureFx(CaptureFxSetup setup, IPanelAcpi& acpi)
    : m_setup(std::move(setup)), m_flash(acpi) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &HelperProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kHelperClass;
    RegisterClassExW(&windowClass);  // already there for a second object
    m_helper = CreateWindowExW(0, kHelperClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), this);
}

CWindowCaptureFx::~CWindowCaptureFx() {
    if (m_sound && IsWindow(m_sound)) SendMessageW(m_sound, WM_CLOSE, 0, 0);
    if (m_helper) DestroyWindow(m_helper);
}

LRESULT CALLBACK CWindowCaptureFx::HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CWindowCaptureFx*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == kFlashMessage) {
        self->FlashHere(wParam != 0);
        return 1;
    }
    if (self && message == kSoundMessage) {
        self->PlaySoundHere();
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void CWindowCaptureFx::RunOnOwnThread(UINT message, WPARAM wParam) {
    if (!m_helper) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(m_helper, message, wParam, 0, SMTO_NORMAL, kOwnThreadTimeoutMs, &result);
}

void CWindowCaptureFx::Flash(bool on) { RunOnOwnThread(kFlashMessage, on ? 1 : 0); }

void CWindowCaptureFx::FlashHere(bool on) {
    if (on && !IsWindow(m_flash.Handle())) {
        m_flash.Destroy();
        m_flash.Create(m_setup.mainWindow ? m_setup.mainWindow() : nullptr, 255, 255, 255);
    }
    m_flash.Flash(on, -1);
}

void CWindowCaptureFx::PlayShutterSound() { RunOnOwnThread(kSoundMessage, 0); }

void CWindowCaptureFx::PlaySoundHere() {
    if (m_sound && IsWindow(m_sound)) SendMessageW(m_sound, WM_CLOSE, 0, 0);
    m_sound = nullptr;
    HWND parent = m_setup.mainWindow ? m_setup.mainWindow() : nullptr;
    const std::wstring path = m_setup.programFolder + L"\\camera.wav";
    // No error dialog: a missing sound must not hold up the picture.
    const DWORD styles = WS_CHILD | MCIWNDF_NOAUTOSIZEWINDOW | MCIWNDF_NOPLAYBAR | MCIWNDF_NOAUTOSIZEMOVIE |
                         MCIWNDF_NOMENU | MCIWNDF_NOTIFYPOS | MCIWNDF_NOTIFYSIZE | MCIWNDF_NOTIFYMEDIA |
                         MCIWNDF_NOTIFYERROR | MCIWNDF_RECORD | MCIWNDF_NOERRORDLG;
    m_sound = MCIWndCreateW(parent, GetModuleHandleW(nullptr), styles, path.c_str());
    if (m_sound) SendMessageW(m_sound, MCIWNDM_PLAYFROM, 0, 0);
}

std::unique_ptr<IBannerAnimation> CWindowCaptureFx::OpenBanner() {
    HWND window = m_setup.mainWindow ? m_setup.mainWindow() : nullptr;
    if (!window) return nullptr;
    Microsoft::WRL::ComPtr<IStream> stream;
    stream.Attach(ResourceStream(m_setup.resources, L"banner.gif", L"TOLVEX"));
    if (!stream) return nullptr;
    auto image = std::make_unique<Gdiplus::Image>(stream.Get());
    if (image->GetLastStatus() != Gdiplus::Ok) return nullptr;   // the image goes before the stream
    return std::make_unique<CGdiplusBanner>(window, std::move(image), std::move(stream));
}

bool CWindowCaptureFx::BoardProductContains(std::u16string_view text) {
    std::lock_guard<std::mutex> hold(m_productLock);
    if (!m_product) m_product = m_setup.boardProduct ? m_setup.boardProduct() : QueryBaseBoardProduct();
    return ContainsIgnoringCase(*m_product, text);
}

void CWindowCaptureFx::CopyToPicturesFolder(const std::u16string& path) {
    wchar_t folder[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, folder))) return;
    if (m_setup.notify)
        m_setup.notify(folder);
    else
        MessageBoxW(nullptr, folder, L"Vimbrel", MB_OK);
    const std::wstring source(path.begin(), path.end());
    const std::size_t slash = source.find_last_of(L"\\/");
    const std::wstring target = std::wstring(folder) + L"\\" + source.substr(slash == std::wstring::npos ? 0 : slash + 1);
    CopyFileW(source.c_str(), target.c_str(), TRUE);
}

}  // namespace vimbrel::controller
