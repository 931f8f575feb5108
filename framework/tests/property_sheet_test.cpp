// Property sheets: pages made when first shown, their notifications, OK
// only when every page takes its values, Cancel, page titles and flags.
#include "framework/CPropertySheet.h"

#include "FrameworkTestIds.h"
#include "FrameworkTestSupport.h"
#include "MessagePump.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

using frameworktest::CStepScript;

namespace {

class CLoggingPage : public framework::CPropertyPage {
public:
    CLoggingPage(UINT templateId, std::wstring name, std::vector<std::wstring>& log)
        : CPropertyPage(templateId), name_(std::move(name)), log_(log) {}

    bool refuseApply = false;
    int number = 5;

protected:
    BOOL OnInitDialog() override {
        log_.push_back(name_ + L" init");
        return CPropertyPage::OnInitDialog();
    }
    void DoDataExchange(framework::CDataExchange& dx) override {
        if (GetDlgItem(Handle(), IDC_NUMBER)) framework::ExchangeText(dx, IDC_NUMBER, number);
    }
    void OnDataInvalid(int) override { log_.push_back(name_ + L" invalid"); }
    bool OnSetActive() override {
        log_.push_back(name_ + L" active");
        return true;
    }
    bool OnKillActive() override {
        log_.push_back(name_ + L" leave");
        return CPropertyPage::OnKillActive();
    }
    bool OnApply() override {
        log_.push_back(name_ + L" apply");
        return !refuseApply;
    }
    void OnReset() override { log_.push_back(name_ + L" reset"); }

private:
    std::wstring name_;
    std::vector<std::wstring>& log_;
};

class CScriptedSheet : public framework::CPropertySheet {
public:
    using CPropertySheet::CPropertySheet;
    CStepScript script;
    bool timedOut = false;

protected:
    void OnSheetCreated() override {
        script.Start(Handle(), [this] {
            timedOut = true;
            PostMessageW(Handle(), WM_COMMAND, IDCANCEL, 0);
        });
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (script.Handle(message, wParam)) return 0;
        return CPropertySheet::WindowProc(message, wParam, lParam);
    }
};

std::wstring TabText(HWND sheet, int index) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override { owner_ = frameworktest::MakePlainWindow(L"owner"); }
    void TearDown() override {
        DestroyWindow(owner_);
        testbench::PumpWaiting();
    }
    HWND owner_ = nullptr;
    std::vector<std::wstring> log_;
};

TEST_F(PropertySheetTest, OkAppliesEveryMadePageAndReturnsOk) {
    CLoggingPage one(IDD_PAGE_ONE, L"one", log_), two(IDD_PAGE_TWO, L"two", log_);
    one.SetTitle(L"Devices");
    CScriptedSheet sheet(L"Settings", owner_);
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    bool ownerEnabledDuring = true;
    sheet.script.Add([&] {
        ownerEnabledDuring = IsWindowEnabled(owner_) != FALSE;
        EXPECT_EQ(TabText(sheet.Handle(), 0), L"Devices");       // own title
        EXPECT_EQ(TabText(sheet.Handle(), 1), L"Template two");  // the template's caption
        EXPECT_EQ(log_, (std::vector<std::wstring>{L"one init", L"one active"}));
        SetDlgItemTextW(one.Handle(), IDC_NUMBER, L"64");
        SendMessageW(sheet.Handle(), PSM_SETCURSEL, 1, 0);
    });
    sheet.script.Add([&] {
        EXPECT_EQ(sheet.CurrentPage(), two.Handle());
        two.SetModified(true);
        SendMessageW(sheet.Handle(), PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_FALSE(sheet.timedOut);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(one.number, 64);  // taken when the page was left
    std::vector<std::wstring> expected{L"one init",   L"one active", L"one leave", L"two init",
                                       L"two active", L"two leave",  L"one apply", L"two apply"};
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(sheet.Handle(), nullptr);
}

TEST_F(PropertySheetTest, RefusedApplyKeepsTheSheetAndCancelResetsIt) {
    CLoggingPage one(IDD_PAGE_ONE, L"one", log_);
    one.refuseApply = true;
    CScriptedSheet sheet(L"Settings", owner_);
    sheet.AddPage(&one);
    bool openAfterOk = false;
    sheet.script.Add([&] { SendMessageW(sheet.Handle(), PSM_PRESSBUTTON, PSBTN_OK, 0); });
    sheet.script.Add([&] {
        openAfterOk = sheet.CurrentPage() == one.Handle();
        SendMessageW(sheet.Handle(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(openAfterOk);
    ASSERT_FALSE(log_.empty());
    EXPECT_EQ(log_.back(), L"one reset");
}

TEST_F(PropertySheetTest, AWrongValueKeepsThePageWhenLeavingIt) {
    CLoggingPage one(IDD_PAGE_ONE, L"one", log_), two(IDD_PAGE_TWO, L"two", log_);
    CScriptedSheet sheet(L"Settings", owner_);
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    HWND currentAfter = nullptr, pageOne = nullptr;
    sheet.script.Add([&] {
        pageOne = one.Handle();
        SetDlgItemTextW(pageOne, IDC_NUMBER, L"five");
        SendMessageW(sheet.Handle(), PSM_SETCURSEL, 1, 0);
    });
    sheet.script.Add([&] {
        currentAfter = sheet.CurrentPage();
        SendMessageW(sheet.Handle(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(currentAfter, pageOne);
    EXPECT_EQ(one.number, 5);
    EXPECT_NE(std::find(log_.begin(), log_.end(), L"one invalid"), log_.end());
    EXPECT_EQ(std::find(log_.begin(), log_.end(), L"two init"), log_.end());
}

TEST_F(PropertySheetTest, NoApplyNowFlagLeavesNoApplyButton) {
    CLoggingPage one(IDD_PAGE_ONE, L"one", log_);
    CScriptedSheet sheet(L"Settings", owner_);
    sheet.AddFlags(PSH_NOAPPLYNOW);
    sheet.AddPage(&one);
    bool applyShown = true;
    sheet.script.Add([&] {
        HWND apply = GetDlgItem(sheet.Handle(), 0x3021);  // the sheet's Apply button
        applyShown = apply && IsWindowVisible(apply);
        PostMessageW(sheet.Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(applyShown);
}

TEST_F(PropertySheetTest, ASheetWithoutPagesIsRefused) {
    CScriptedSheet sheet(L"Empty", owner_);
    EXPECT_EQ(sheet.DoModal(), -1);
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

}  // namespace
