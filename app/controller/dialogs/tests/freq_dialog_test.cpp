// The mains-frequency prompt made modeless: the nations listed from
// geo.ini, the user's nation or the first entry chosen, the frequency text,
// and PopFreqDlg written on opening and deleted when the box is cleared;
// the due rule over the registry; and the system's own nations over the
// geo.ini the program ships.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "CFreqDialog.h"
#include "DialogIds.h"
#include "DialogTestSupport.h"
#include "MessagePump.h"

namespace vimbrel::controller::test {
namespace {

class CListedNations final : public INationSource {
public:
    std::vector<Nation> Nations() const override { return nations; }
    int UserNation() const override { return user; }
    std::vector<Nation> nations;
    int user = 0;
};

class CRecordingFlag final : public IPromptFlag {
public:
    bool IsPromptDue() const override { return !stored; }
    void Store(bool dontShowAgain) override {
        stored = dontShowAgain;
        ++writes;
    }
    bool stored = false;
    int writes = 0;
};

class FreqDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        // United States 60, Germany 50, Atlantis 55, Nowhere without an entry,
        // and two nations with the same (empty) name, as Wine may list them.
        frequencies = {{244, 60}, {94, 50}, {500, 55}, {501, 50}, {502, 60}};
        nations.nations = {{u"United States", 244}, {u"Germany", 94}, {u"Atlantis", 500},
                           {u"Nowhere", 600},       {u"", 501},       {u"", 502}};
    }
    void Open() {
        dialog = std::make_unique<CFreqDialog>(
            texts, nations,
            [this](int id) {
                auto found = frequencies.find(id);
                return found == frequencies.end() ? 0 : found->second;
            },
            flag);
        ASSERT_TRUE(dialog->CreateModeless());
        testbench::PumpFor(30);
    }
    void TearDown() override {
        if (dialog && dialog->Handle()) DestroyWindow(dialog->Handle());
        testbench::PumpFor(20);
    }
    HWND List() { return GetDlgItem(dialog->Handle(), IDC_LOCATION_LIST); }
    int SelectedGeo() {
        LRESULT at = SendMessageW(List(), CB_GETCURSEL, 0, 0);
        return at == CB_ERR ? -1 : static_cast<int>(SendMessageW(List(), CB_GETITEMDATA, at, 0));
    }
    void Choose(int geoId) {
        const LRESULT count = SendMessageW(List(), CB_GETCOUNT, 0, 0);
        for (LRESULT at = 0; at < count; ++at) {
            if (SendMessageW(List(), CB_GETITEMDATA, at, 0) == geoId) SendMessageW(List(), CB_SETCURSEL, at, 0);
        }
        SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(IDC_LOCATION_LIST, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(List()));
    }

    std::map<int, int> frequencies;
    CListedNations nations;
    CRecordingFlag flag;
    CTableTexts texts;
    std::unique_ptr<CFreqDialog> dialog;
};

TEST_F(FreqDialogTest, NationsWithAFrequencyAreListedAndTheUsersIsChosen) {
    nations.user = 94;
    texts.texts = {{u"IDS_MSG_YES", u"Yes please"}, {u"IDS_MSG_LOCATION", u"Where you are"}};
    Open();
    EXPECT_EQ(SendMessageW(List(), CB_GETCOUNT, 0, 0), 5);  // Nowhere is left out
    EXPECT_EQ(SelectedGeo(), 94);
    EXPECT_EQ(ItemText(dialog->Handle(), IDC_FREQUENCY_TEXT), L"50 Hz");
    EXPECT_EQ(ItemText(dialog->Handle(), IDOK), L"Yes please");
    EXPECT_EQ(ItemText(dialog->Handle(), IDC_LOCATION_GROUP), L"Where you are");
    Choose(244);
    EXPECT_EQ(ItemText(dialog->Handle(), IDC_FREQUENCY_TEXT), L"60 Hz");
    Choose(500);
    EXPECT_EQ(ItemText(dialog->Handle(), IDC_FREQUENCY_TEXT), L"50/60 Hz");
}

TEST_F(FreqDialogTest, EntriesWithEqualNamesKeepTheirOwnNations) {
    nations.user = 502;
    Open();
    // The user's nation shares its empty name with 501; it must still be
    // the one chosen, with its own 60 Hz.
    EXPECT_EQ(SelectedGeo(), 502);
    EXPECT_EQ(ItemText(dialog->Handle(), IDC_FREQUENCY_TEXT), L"60 Hz");
    std::vector<int> ids;
    for (LRESULT at = 0; at < SendMessageW(List(), CB_GETCOUNT, 0, 0); ++at)
        ids.push_back(static_cast<int>(SendMessageW(List(), CB_GETITEMDATA, at, 0)));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<int>{94, 244, 500, 501, 502}));
}

TEST_F(FreqDialogTest, AnUnlistedUserNationGetsTheFirstSortedEntry) {
    nations.user = 600;
    nations.nations = {{u"United States", 244}, {u"Germany", 94}};
    Open();
    EXPECT_EQ(SelectedGeo(), 94);  // "Germany" sorts first
    frequencies.clear();
    nations.nations.clear();
    TearDown();
    Open();
    EXPECT_EQ(SendMessageW(List(), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(ItemText(dialog->Handle(), IDC_FREQUENCY_TEXT), L"50/60 Hz");
}

TEST_F(FreqDialogTest, OpeningStoresTheFlagAndClearingTheBoxDeletesIt) {
    Open();
    EXPECT_TRUE(flag.stored);
    EXPECT_EQ(flag.writes, 1);
    EXPECT_EQ(IsDlgButtonChecked(dialog->Handle(), IDC_DONT_SHOW_AGAIN), BST_CHECKED);
    SendMessageW(GetDlgItem(dialog->Handle(), IDC_DONT_SHOW_AGAIN), BM_CLICK, 0, 0);
    EXPECT_FALSE(flag.stored);
    EXPECT_EQ(flag.writes, 2);
}

// The nations geo.ini leaves out: those without a code of their own ("XX")
// and the three without a public supply.
bool LeftOutOfGeoFile(GEOID id) {
    wchar_t code[8] = {};
    GetGeoInfoW(id, GEO_ISO2, code, 8, 0);
    for (const wchar_t* none : {L"XX", L"AQ", L"BV", L"HM"})
        if (wcscmp(code, none) == 0) return true;
    return false;
}

TEST(ShippedGeoFileTest, ThePromptListsEverySystemNationAndPicksTheUsersFrequency) {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring geoFile(exe);
    geoFile = geoFile.substr(0, geoFile.rfind(L'\\')) + L"\\geo.ini";
    CSystemNations nations;
    std::vector<Nation> system = nations.Nations();
    ASSERT_GT(system.size(), 200u);
    size_t expected = 0;
    for (const Nation& nation : system) {
        const bool leftOut = LeftOutOfGeoFile(static_cast<GEOID>(nation.geoId));
        if (!leftOut) ++expected;
        EXPECT_EQ(LookupGeoFrequency(geoFile, nation.geoId) != 0, !leftOut) << std::hex << nation.geoId;
    }
    CRecordingFlag flag;
    CTableTexts texts;
    CFreqDialog dialog(
        texts, nations, [&geoFile](int id) { return LookupGeoFrequency(geoFile, id); }, flag);
    ASSERT_TRUE(dialog.CreateModeless());
    testbench::PumpFor(30);
    HWND list = GetDlgItem(dialog.Handle(), IDC_LOCATION_LIST);
    EXPECT_EQ(static_cast<size_t>(SendMessageW(list, CB_GETCOUNT, 0, 0)), expected);
    const LRESULT selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
    ASSERT_NE(selected, CB_ERR);
    const int user = nations.UserNation();
    EXPECT_EQ(SendMessageW(list, CB_GETITEMDATA, selected, 0), user);
    const std::wstring shown = ItemText(dialog.Handle(), IDC_FREQUENCY_TEXT);
    EXPECT_TRUE(shown == L"50 Hz" || shown == L"60 Hz") << shown.c_str();
    if (user == 244) {  // the United States
        EXPECT_EQ(shown, L"60 Hz");
    }
    DestroyWindow(dialog.Handle());
    testbench::PumpFor(20);
}

TEST(FrequencyPromptTest, ThePromptRunsOnlyWhenDueAndYesOpensTheCameraPages) {
    CRecordingFlag flag;
    int runs = 0, pages = 0;
    auto answer = [&](INT_PTR result) {
        return [&runs, result] {
            ++runs;
            return result;
        };
    };
    EXPECT_EQ(RunFrequencyPromptIfDue(flag, answer(IDOK), [&] { ++pages; }), IDOK);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(RunFrequencyPromptIfDue(flag, answer(IDCANCEL), [&] { ++pages; }), IDCANCEL);
    EXPECT_EQ(pages, 1);
    flag.stored = true;
    EXPECT_EQ(RunFrequencyPromptIfDue(flag, answer(IDOK), [&] { ++pages; }), 0);
    EXPECT_EQ(runs, 2);
}

TEST(RegistryPromptFlagTest, TheValueIsWrittenIntoAnExistingKeyOnlyAndDeleted) {
    const std::wstring path = L"SOFTWARE\\Vimbrel Tests\\PromptFlag";
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    CRegistryPromptFlag flag(HKEY_CURRENT_USER, path);
    EXPECT_TRUE(flag.IsPromptDue());
    flag.Store(true);  // the key is missing: nothing is created
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_TRUE(flag.IsPromptDue());
    flag.Store(true);
    EXPECT_FALSE(flag.IsPromptDue());
    flag.Store(false);
    EXPECT_TRUE(flag.IsPromptDue());
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
}

TEST(GeoIniTest, FrequenciesAreReadByTheLowerHexGeoId) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"vimbrel-geo-test.ini";
    WritePrivateProfileStringW(L"Locale", L"f4", L"United States,60", path.c_str());
    WritePrivateProfileStringW(L"Locale", L"5e", L"Germany,50", path.c_str());
    EXPECT_EQ(LookupGeoFrequency(path, 244), 60);
    EXPECT_EQ(LookupGeoFrequency(path, 94), 50);
    EXPECT_EQ(LookupGeoFrequency(path, 95), 0);
    EXPECT_EQ(LookupGeoFrequency(path + L".missing", 244), 0);
    DeleteFileW(path.c_str());
    // The system lists nations, each with some name.
    const std::vector<Nation> listed = CSystemNations().Nations();
    EXPECT_FALSE(listed.empty());
}

}  // namespace
}  // namespace vimbrel::controller::test
