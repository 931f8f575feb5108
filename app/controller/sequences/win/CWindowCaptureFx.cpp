#include "CWindowCaptureFx.h"
#include "CallGuard.h"
#include "winowners/GdiOwners.h"

#include <shlobj.h>
#include <vfw.h>

#include <gdiplus.h>
#include <wrl/client.h>

#include "SequenceRules.h"

namespace vimbrel::controller {
namespace {

constexpr UINT kFlashMessage = WM_APP + 1;
constexpr UINT kSoundMessage = WM_APP + 2;
constexpr UINT kCopyMessage = WM_APP + 3;
constexpr DWORD kOwnThreadTimeoutMs = 5000;
const wchar_t kHelperClass[] = L"VimbrelCaptureFxHelper";

// A GIF's frames drawn stretched into the banner's place on the main window.
class CGdiplusBanner final : public IBannerAnimation {
public:
    CGdiplusBanner(HWND window, std::unique_ptr<Gdiplus::Image> image, Microsoft::WRL::ComPtr<IStream> stream)
        : window_(window), image_(std::move(image)), stream_(std::move(stream)) {
        UINT dimensions = image_->GetFrameDimensionsCount();
        if (dimensions > 0) {
            std::unique_ptr<GUID[]> ids(new GUID[dimensions]);
            if (image_->GetFrameDimensionsList(ids.get(), dimensions) == Gdiplus::Ok) {
                dimension_ = ids[0];
                frames_ = static_cast<int>(image_->GetFrameCount(&dimension_));
            }
        }
    }
    ~CGdiplusBanner() override {
        image_.reset();  // the image reads from the stream until it goes
        stream_.Reset();
        // The frames were drawn over the window's own picture, outside its
        // painting: once the run is over (or cut short) the window paints
        // that place again, children included, so nothing of the last frame
        // stays. Asking for the paint is safe from this worker thread.
        if (drawn_ && IsWindow(window_)) {
            RECT place{last_.left, last_.top, last_.right, last_.bottom};
            RedrawWindow(window_, &place, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
    }
    int FrameCount() const override { return frames_; }
    void DrawFrame(int index, const ControllerRect& r) override {
        if (!IsWindow(window_)) return;
        image_->SelectActiveFrame(&dimension_, static_cast<UINT>(index));
        const auto dc = winowners::GetDCOwner(window_);
        if (!dc) return;
        last_ = r;
        drawn_ = true;
        Gdiplus::Graphics graphics(dc.get());
        graphics.DrawImage(image_.get(), Gdiplus::Rect(r.left, r.top, r.right - r.left, r.bottom - r.top));
    }

private:
    HWND window_;
    std::unique_ptr<Gdiplus::Image> image_;
    Microsoft::WRL::ComPtr<IStream> stream_;
    GUID dimension_{};
    int frames_ = 0;
    ControllerRect last_{};
    bool drawn_ = false;
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

CWindowCaptureFx::CWindowCaptureFx(CaptureFxSetup setup, IPanelAcpi& acpi) : setup_(std::move(setup)), flash_(acpi) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &HelperProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kHelperClass;
    RegisterClassExW(&windowClass);  // already there for a second object
    helper_ = CreateWindowExW(0, kHelperClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                              this);
}

CWindowCaptureFx::~CWindowCaptureFx() {
    if (sound_ && IsWindow(sound_)) SendMessageW(sound_, WM_CLOSE, 0, 0);
    if (helper_) DestroyWindow(helper_);
}

LRESULT CALLBACK CWindowCaptureFx::HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<CWindowCaptureFx*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // A flash, sound or copy that throws is lost; the worker that asked
    // only sees the answer 0.
    return boundary::GuardedMessage(message, [&]() -> LRESULT {
        if (self && message == kFlashMessage) {
            self->FlashHere(wParam != 0);
            return 1;
        }
        if (self && message == kSoundMessage) {
            self->PlaySoundHere();
            return 1;
        }
        if (self && message == kCopyMessage) {
            self->CopyPending();
            return 1;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    });
}

void CWindowCaptureFx::RunOnOwnThread(UINT message, WPARAM wParam) {
    if (!helper_) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(helper_, message, wParam, 0, SMTO_NORMAL, kOwnThreadTimeoutMs, &result);
}

void CWindowCaptureFx::Flash(bool on) { RunOnOwnThread(kFlashMessage, on ? 1 : 0); }

void CWindowCaptureFx::FlashHere(bool on) {
    if (on && !IsWindow(flash_.Handle())) {
        flash_.Destroy();
        flash_.Create(setup_.mainWindow ? setup_.mainWindow() : nullptr, 255, 255, 255);
    }
    flash_.Flash(on, -1);
}

void CWindowCaptureFx::PlayShutterSound() { RunOnOwnThread(kSoundMessage, 0); }

void CWindowCaptureFx::PlaySoundHere() {
    if (sound_ && IsWindow(sound_)) SendMessageW(sound_, WM_CLOSE, 0, 0);
    sound_ = nullptr;
    HWND parent = setup_.mainWindow ? setup_.mainWindow() : nullptr;
    const std::wstring path = setup_.programFolder + L"\\camera.wav";
    // No error dialog: a missing sound must not hold up the picture.
    const DWORD styles = WS_CHILD | MCIWNDF_NOAUTOSIZEWINDOW | MCIWNDF_NOPLAYBAR | MCIWNDF_NOAUTOSIZEMOVIE |
                         MCIWNDF_NOMENU | MCIWNDF_NOTIFYPOS | MCIWNDF_NOTIFYSIZE | MCIWNDF_NOTIFYMEDIA |
                         MCIWNDF_NOTIFYERROR | MCIWNDF_RECORD | MCIWNDF_NOERRORDLG;
    sound_ = MCIWndCreateW(parent, GetModuleHandleW(nullptr), styles, path.c_str());
    if (sound_) SendMessageW(sound_, MCIWNDM_PLAYFROM, 0, 0);
}

std::unique_ptr<IBannerAnimation> CWindowCaptureFx::OpenBanner() {
    HWND window = setup_.mainWindow ? setup_.mainWindow() : nullptr;
    if (!window) return nullptr;
    Microsoft::WRL::ComPtr<IStream> stream;
    stream.Attach(ResourceStream(setup_.resources, L"banner.gif", L"TOLVEX"));
    if (!stream) return nullptr;
    auto image = std::make_unique<Gdiplus::Image>(stream.Get());
    if (image->GetLastStatus() != Gdiplus::Ok) return nullptr;  // the image goes before the stream
    return std::make_unique<CGdiplusBanner>(window, std::move(image), std::move(stream));
}

bool CWindowCaptureFx::BoardProductContains(std::u16string_view text) {
    std::lock_guard<std::mutex> hold(productLock_);
    if (!product_) product_ = setup_.boardProduct ? setup_.boardProduct() : std::u16string();
    return ContainsIgnoringCase(*product_, text);
}

void CWindowCaptureFx::CopyToPicturesFolder(const std::u16string& path) {
    if (!helper_) {
        CopyHere(path);
        return;
    }
    {
        std::lock_guard<std::mutex> hold(copyLock_);
        copies_.push_back(path);
    }
    PostMessageW(helper_, kCopyMessage, 0, 0);
}

void CWindowCaptureFx::CopyPending() {
    std::vector<std::u16string> copies;
    {
        std::lock_guard<std::mutex> hold(copyLock_);
        copies.swap(copies_);
    }
    for (const std::u16string& path : copies) CopyHere(path);
}

void CWindowCaptureFx::CopyHere(const std::u16string& path) {
    wchar_t folder[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_MYPICTURES, nullptr, SHGFP_TYPE_CURRENT, folder))) return;
    if (setup_.notify)
        setup_.notify(folder);
    else
        MessageBoxW(nullptr, folder, L"Vimbrel", MB_OK);
    const std::wstring source(path.begin(), path.end());
    const std::size_t slash = source.find_last_of(L"\\/");
    const std::wstring target = std::wstring(folder) + L"\\" +
                                source.substr(slash == std::wstring::npos ? 0 : slash + 1);
    CopyFileW(source.c_str(), target.c_str(), TRUE);
}

}  // namespace vimbrel::controller
