#include "CFreqDialog.h"

#include <array>

#include "DialogIds.h"
#include "DialogText.h"
#include "SettingsDialogRules.h"
#include "winowners/KernelOwners.h"

namespace vimbrel::controller {
namespace {

constexpr wchar_t kPromptValue[] = L"PopFreqDlg";
constexpr DWORD kGeoValueCapacity = 32;

// The registry key; empty when it cannot be opened.
winowners::UniqueKey OpenKey(HKEY root, const std::wstring& path, REGSAM access) {
    winowners::UniqueKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) key.release();
    return key;
}

std::vector<GEOID>* g_enumerated = nullptr;  // only during EnumSystemGeoID

BOOL CALLBACK CollectGeo(GEOID id) {
    g_enumerated->push_back(id);
    return TRUE;
}

std::u16string GeoText(GEOID id, GEOTYPE type, LANGID language) {
    std::array<wchar_t, 256> text{};
    if (GetGeoInfoW(id, type, text.data(), static_cast<int>(text.size()), language) <= 0) return {};
    return CopyToU16(text.data());
}

}  // namespace

CFreqDialog::CFreqDialog(const ILanguageStrings& texts, const INationSource& nations, FrequencyLookup lookup,
                         IPromptFlag& flag, HWND parent, HINSTANCE module)
    : CDialog(IDD_FREQUENCY_PROMPT, parent, module),
      texts_(texts),
      nations_(nations),
      lookup_(std::move(lookup)),
      flag_(flag) {}

BOOL CFreqDialog::OnInitDialog() {
    const BOOL focus = CDialog::OnInitDialog();
    HWND dialog = Handle();
    SetItemLanguageText(dialog, IDC_FREQUENCY_QUESTION, texts_, u"IDS_MSG_ADJFREQ");
    SetItemLanguageText(dialog, IDC_DONT_SHOW_AGAIN, texts_, u"IDS_MSG_DONTSHOWAGAIN");
    SetItemLanguageText(dialog, IDOK, texts_, u"IDS_MSG_YES");
    SetItemLanguageText(dialog, IDCANCEL, texts_, u"IDS_MSG_NO");
    SetItemLanguageText(dialog, IDC_LOCATION_GROUP, texts_, u"IDS_MSG_LOCATION");
    FillLocations();
    CheckDlgButton(dialog, IDC_DONT_SHOW_AGAIN, BST_CHECKED);
    OnDontShowAgain();
    return focus;
}

void CFreqDialog::FillLocations() {
    HWND list = GetDlgItem(Handle(), IDC_LOCATION_LIST);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    listed_.clear();
    const std::vector<Nation> nations = nations_.Nations();
    const int user = nations_.UserNation();
    for (const Nation& nation : nations) {
        if (!lookup_ || lookup_(nation.geoId) == 0) continue;
        // The entry the sorted list put the name at: looking the name up
        // again would find the first of equal (or empty) names instead.
        const LRESULT entry = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ViewAsWide(nation.name)));
        if (entry == CB_ERR || entry == CB_ERRSPACE) continue;
        SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(entry), nation.geoId);
        listed_.push_back(nation);
        if (nation.geoId == user) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    }
    if (SendMessageW(list, CB_GETCOUNT, 0, 0) > 0 && SendMessageW(list, CB_GETCURSEL, 0, 0) == CB_ERR)
        SendMessageW(list, CB_SETCURSEL, 0, 0);
    OnLocationChanged();
}

void CFreqDialog::OnLocationChanged() {
    HWND list = GetDlgItem(Handle(), IDC_LOCATION_LIST);
    const LRESULT selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
    int hertz = 0;
    if (selected != CB_ERR && lookup_)
        hertz = lookup_(static_cast<int>(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0)));
    SetItemText(Handle(), IDC_FREQUENCY_TEXT, FrequencyText(hertz));
}

void CFreqDialog::OnDontShowAgain() { flag_.Store(IsDlgButtonChecked(Handle(), IDC_DONT_SHOW_AGAIN) == BST_CHECKED); }

LRESULT CFreqDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        if (LOWORD(wParam) == IDC_LOCATION_LIST && HIWORD(wParam) == CBN_SELCHANGE) {
            OnLocationChanged();
            return 0;
        }
        if (LOWORD(wParam) == IDC_DONT_SHOW_AGAIN && HIWORD(wParam) == BN_CLICKED) {
            OnDontShowAgain();
            return 0;
        }
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

INT_PTR RunFrequencyPromptIfDue(IPromptFlag& flag, const std::function<INT_PTR()>& runPrompt,
                                const std::function<void()>& showCameraProperties) {
    if (!flag.IsPromptDue()) return 0;
    const INT_PTR answer = runPrompt();
    if (answer == IDOK && showCameraProperties) showCameraProperties();
    return answer;
}

std::vector<Nation> CSystemNations::Nations() const {
    std::vector<GEOID> ids;
    g_enumerated = &ids;
    EnumSystemGeoID(GEOCLASS_NATION, 0, CollectGeo);
    g_enumerated = nullptr;
    const LANGID language = GetUserDefaultUILanguage();
    std::vector<Nation> nations;
    nations.reserve(ids.size());
    for (GEOID id : ids) {
        std::u16string name = GeoText(id, GEO_FRIENDLYNAME, language);
        if (name.empty()) name = GeoText(id, GEO_ISO2, language);
        nations.push_back({name, static_cast<int>(id)});
    }
    return nations;
}

int CSystemNations::UserNation() const { return static_cast<int>(GetUserGeoID(GEOCLASS_NATION)); }

int LookupGeoFrequency(const std::wstring& geoIniPath, int geoId) {
    const std::u16string key = GeoIniKey(geoId);
    std::array<wchar_t, kGeoValueCapacity> value{};
    GetPrivateProfileStringW(L"Locale", ViewAsWide(key), L"", value.data(), kGeoValueCapacity, geoIniPath.c_str());
    return FrequencyFromGeoValue(ViewAsU16(value.data()));
}

bool CRegistryPromptFlag::IsPromptDue() const {
    const winowners::UniqueKey key = OpenKey(root_, keyPath_, KEY_READ);
    if (!key) return true;
    DWORD value = 0, size = sizeof value;
    return RegQueryValueExW(key.get(), kPromptValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
           ERROR_SUCCESS;
}

void CRegistryPromptFlag::Store(bool dontShowAgain) {
    if (dontShowAgain) {
        const winowners::UniqueKey key = OpenKey(root_, keyPath_, KEY_WRITE);
        const DWORD one = 1;
        if (key) RegSetValueExW(key.get(), kPromptValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    } else {
        const winowners::UniqueKey key = OpenKey(root_, keyPath_, KEY_ALL_ACCESS);
        if (key) RegDeleteValueW(key.get(), kPromptValue);
    }
}

}  // namespace vimbrel::controller
