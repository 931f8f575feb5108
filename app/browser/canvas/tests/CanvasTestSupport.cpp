#include "CanvasTestSupport.h"

#include "MessagePump.h"

#include <shellapi.h>

#include <cstdlib>
#include <vector>

namespace canvastest {

using vimbrel::canvas::WM_PHOTO_MODIFIED;

CScratchFolder::CScratchFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"canvas_test_" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
}

CScratchFolder::~CScratchFolder() {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(Path(found.cFileName).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder_.c_str());
}

namespace {

CLSID PngEncoder() {
    UINT count = 0, bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<uint8_t> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, bytes, codecs);
    for (UINT i = 0; i < count; ++i)
        if (lstrcmpW(codecs[i].MimeType, L"image/png") == 0) return codecs[i].Clsid;
    return CLSID{};
}

}  // namespace

std::wstring WritePng(const CScratchFolder& folder, const wchar_t* name, int w, int h, uint32_t argb,
                      const std::function<void(Gdiplus::Graphics&)>& paint) {
    Gdiplus::Bitmap bitmap(w, h, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&bitmap);
        g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        g.Clear(Gdiplus::Color(argb));
        if (paint) paint(g);
    }
    const std::wstring path = folder.Path(name);
    const CLSID png = PngEncoder();
    EXPECT_EQ(bitmap.Save(path.c_str(), &png, nullptr), Gdiplus::Ok) << "writing a test picture";
    return path;
}

uint32_t SavedPicture::At(int x, int y) const {
    Gdiplus::Color c;
    bitmap->GetPixel(x, y, &c);
    return (static_cast<uint32_t>(c.GetR()) << 16) | (c.GetG() << 8) | c.GetB();
}

SavedPicture ReadBack(const std::wstring& path) {
    SavedPicture picture;
    picture.bitmap.reset(Gdiplus::Bitmap::FromFile(path.c_str()));
    if (picture.bitmap && picture.bitmap->GetLastStatus() == Gdiplus::Ok) {
        picture.width = static_cast<int>(picture.bitmap->GetWidth());
        picture.height = static_cast<int>(picture.bitmap->GetHeight());
    }
    return picture;
}

::testing::AssertionResult NearColour(uint32_t actual, uint32_t expected, int tolerance) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            char text[80];
            snprintf(text, sizeof text, "%06X is not within %d of %06X", static_cast<unsigned>(actual), tolerance,
                     static_cast<unsigned>(expected));
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

void CanvasWindowTest::SetUp() {
    ASSERT_TRUE(gdiplus_.Ok());
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 700, 520, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(owner_);
    canvas_ = std::make_unique<vimbrel::canvas::CPhotoCanvas>();
    ASSERT_EQ(canvas_->Create(owner_, 640, 480, 10, 10), 1);
    TakeModifiedNotices();
}

void CanvasWindowTest::TearDown() {
    canvas_.reset();
    if (owner_) DestroyWindow(owner_);
    testbench::PumpWaiting();
}

void CanvasWindowTest::Edit(const std::wstring& path) {
    ASSERT_EQ(canvas_->LoadPicture(path.c_str(), 0, nullptr, nullptr, 1), 1);
    canvas_->EnableEditing(1);
    ASSERT_TRUE(canvas_->EditingEnabled());
}

namespace {

void PlaceCursor(HWND window, int x, int y) {
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
}

}  // namespace

void CanvasWindowTest::Press(int x, int y) {
    PlaceCursor(canvas_->Handle(), x, y);
    SendMessageW(canvas_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void CanvasWindowTest::Move(int x, int y, bool buttonDown) {
    PlaceCursor(canvas_->Handle(), x, y);
    SendMessageW(canvas_->Handle(), WM_MOUSEMOVE, buttonDown ? MK_LBUTTON : 0, MAKELPARAM(x, y));
}

void CanvasWindowTest::Release(int x, int y) {
    PlaceCursor(canvas_->Handle(), x, y);
    SendMessageW(canvas_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void CanvasWindowTest::Command(UINT id) { SendMessageW(canvas_->Handle(), WM_COMMAND, id, 0); }

// Not a pump: the notices are taken without being dispatched, each one
// checked for its empty parameters.
int CanvasWindowTest::TakeModifiedNotices() {
    int count = 0;
    MSG msg;
    while (PeekMessageW(&msg, owner_, WM_PHOTO_MODIFIED, WM_PHOTO_MODIFIED, PM_REMOVE)) {
        EXPECT_EQ(msg.wParam, 0u);
        EXPECT_EQ(msg.lParam, 0);
        ++count;
    }
    return count;
}

}  // namespace canvastest
