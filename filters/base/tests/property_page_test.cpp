// The property-page base in a real dialog under Wine: connection hooks,
// activation, dirty reporting to the page site, apply and deactivation.
#include "GraphFixture.h"
#include "RecordingPageSite.h"

#include "dshowbase/PropertyPage.h"

#include <olectl.h>

#include <gtest/gtest.h>

namespace basetest {
namespace {

constexpr int kDialog = 201;
constexpr int kTitle = 202;
constexpr int kButton = 1000;

class CTestPage : public dshowbase::CBasePropertyPage {
public:
    CTestPage() : CBasePropertyPage(L"test page", kDialog, kTitle) {}

    HRESULT OnConnect(IUnknown* object) override {
        ++connects;
        connected = object;
        return S_OK;
    }
    HRESULT OnDisconnect() override {
        ++disconnects;
        connected.Reset();
        return S_OK;
    }
    HRESULT OnActivate() override {
        activeWindow = Hwnd();
        return S_OK;
    }
    HRESULT OnDeactivate() override {
        ++deactivations;
        return S_OK;
    }
    HRESULT OnApplyChanges() override {
        ++applies;
        return S_OK;
    }
    INT_PTR OnReceiveMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) {
            SetDirty();
            return TRUE;
        }
        return CBasePropertyPage::OnReceiveMessage(window, message, wParam, lParam);
    }

    int connects = 0;
    int disconnects = 0;
    int deactivations = 0;
    int applies = 0;
    HWND activeWindow = nullptr;
    ComPtr<IUnknown> connected;
};


class PropertyPageTest : public ComTest {};

TEST_F(PropertyPageTest, InfoComesFromTheResources) {
    ComPtr<IPropertyPage> page(new CTestPage());
    PROPPAGEINFO info{};
    ASSERT_EQ(S_OK, page->GetPageInfo(&info));
    EXPECT_STREQ(L"Test Settings", info.pszTitle);
    EXPECT_GT(info.size.cx, 0);
    EXPECT_GT(info.size.cy, 0);
    CoTaskMemFree(info.pszTitle);
}

TEST_F(PropertyPageTest, LifecycleDrivesTheHooksAndTheSite) {
    auto* raw = new CTestPage();
    ComPtr<IPropertyPage> page(raw);
    CRecordingSite site;
    ComPtr<IUnknown> object(new CTestPage());  // any COM object will do

    RECT rect{0, 0, 200, 100};
    EXPECT_EQ(E_UNEXPECTED, page->Activate(GetDesktopWindow(), &rect, FALSE));  // no object yet
    ASSERT_EQ(S_OK, page->SetPageSite(&site));
    EXPECT_EQ(E_UNEXPECTED, page->SetPageSite(&site));  // only one site
    ASSERT_EQ(S_OK, page->SetObjects(1, object.GetAddressOf()));
    EXPECT_EQ(1, raw->connects);
    EXPECT_EQ(object.Get(), raw->connected.Get());

    HWND parent = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(nullptr, parent);
    ASSERT_EQ(S_OK, page->Activate(parent, &rect, FALSE));
    ASSERT_NE(nullptr, raw->activeWindow);
    EXPECT_TRUE(IsWindow(raw->activeWindow));
    EXPECT_EQ(parent, GetParent(raw->activeWindow));
    EXPECT_EQ(S_FALSE, page->IsPageDirty());

    // A click in the page makes it dirty and tells the frame.
    SendMessageW(raw->activeWindow, WM_COMMAND, MAKEWPARAM(kButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(raw->activeWindow, kButton)));
    EXPECT_EQ(S_OK, page->IsPageDirty());
    EXPECT_EQ(static_cast<DWORD>(PROPPAGESTATUS_DIRTY), site.lastStatus);

    EXPECT_EQ(S_OK, page->Apply());
    EXPECT_EQ(1, raw->applies);
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ(S_OK, page->Apply());  // clean: nothing to send
    EXPECT_EQ(1, raw->applies);

    EXPECT_EQ(E_INVALIDARG, page->Show(SW_MAXIMIZE));
    EXPECT_EQ(S_OK, page->Show(SW_HIDE));
    const HWND dialog = raw->activeWindow;
    ASSERT_EQ(S_OK, page->Deactivate());
    EXPECT_EQ(1, raw->deactivations);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(E_UNEXPECTED, page->Deactivate());

    ASSERT_EQ(S_OK, page->SetObjects(0, nullptr));
    EXPECT_EQ(1, raw->disconnects);
    EXPECT_EQ(nullptr, raw->connected.Get());
    EXPECT_EQ(1, site.refs);  // the page let go of its site
    EXPECT_EQ(E_UNEXPECTED, page->Apply());
    DestroyWindow(parent);
}

}  // namespace
}  // namespace basetest
