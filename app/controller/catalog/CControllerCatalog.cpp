#include "CControllerCatalog.h"

#include "ButtonKeys.h"
#include "CatalogFile.h"
#include "CatalogParser.h"
#include "DataRoot.h"
#include "SkinImageLoader.h"
#include "WideText.h"

namespace vimbrel::controller {
namespace {

const wchar_t kResourceType[] = L"TOLVEX";
const wchar_t kCatalogName[] = L"functions.stg";

// By picture state: normal, hover, disabled.
const wchar_t* const kStripNames[kItemImageStateCount] = {
    L"function.png", L"function_hover.png", L"function_dis.png"};

// The words whose current text LoadDateFormatNames puts into the first
// three Date entries.
const char16_t* const kDateFormatWords[] = {u"MMDDYYYY", u"MMDD", u"HHMMMMDD"};
constexpr int kDateSettingId = 0x105;

}  // namespace

CControllerCatalog::CControllerCatalog(const ILanguageStrings& language, const ILocalClock& clock)
    : m_language(language), m_settingTexts(language, clock) {}

CControllerCatalog::~CControllerCatalog() = default;

std::wstring CControllerCatalog::CatalogFilePath() {
    std::wstring root = DataRoot();
    return root.empty() ? std::wstring() : root + L"\\" + kCatalogName;
}

int CControllerCatalog::LoadCatalog(HMODULE module) {
    if (module == nullptr) module = GetModuleHandleW(nullptr);
    std::optional<std::string_view> resource = FindResourceBytes(module, kCatalogName, kResourceType);
    if (!resource) return 0;

    // The catalogue goes through a file in the data root. When that cannot
    // be written (a missing or read-only folder), the resource bytes are
    // parsed as they are: the catalogue is the same, and the program must
    // not lose its engine over a temporary file.
    std::string text(*resource);
    std::wstring path = CatalogFilePath();
    if (!path.empty() && EnsureFolderExists(path.substr(0, path.find_last_of(L'\\')))) {
        if (WriteTemporaryFile(path, *resource)) {
            if (std::optional<std::string> written = ReadSmallFile(path)) text = std::move(*written);
        }
        DeleteFileW(path.c_str());
    }
    m_catalog.Clear();
    ParseCatalog(text, m_settingTexts, m_catalog);
    return 1;
}

int CControllerCatalog::GetCatalog(CatalogItem** first) {
    if (first) *first = m_catalog.First();
    return m_catalog.IsEmpty() ? 0 : 1;
}

int CControllerCatalog::FindCatalogItem(int settingId, CatalogItem** item) {
    CatalogItem* found = m_catalog.Find(settingId);
    if (item) *item = found;
    return found ? 1 : 0;
}

int CControllerCatalog::FindCatalogItemNode(int settingId, CatalogItem** item) {
    return FindCatalogItem(settingId, item);
}

int CControllerCatalog::GetCatalogEntries(int settingId, CatalogEntry** first) {
    CatalogItem* item = m_catalog.Find(settingId);
    if (first) *first = item ? item->firstEntry.get() : nullptr;
    return item ? 1 : 0;
}

int CControllerCatalog::CountEnabledEntries(int settingId) const {
    return m_catalog.CountEnabledEntries(settingId);
}

int CControllerCatalog::AddCatalogItem(int key, int order, const wchar_t* title, int type,
                                       int minimum, int maximum) {
    m_catalog.AddItem(key, order, CopyToU16(title), type, minimum, maximum);
    return 1;
}

int CControllerCatalog::AddCatalogEntry(int key, const wchar_t* text) {
    return m_catalog.AddEntry(key, CopyToU16(text));
}

int CControllerCatalog::RemoveCatalogItem(int settingId) {
    return m_catalog.RemoveItem(settingId);
}

int CControllerCatalog::LoadDateFormatNames(int settingId) {
    if (settingId != kDateSettingId) return 0;
    CatalogItem* item = m_catalog.Find(settingId);
    if (item == nullptr) return 0;
    CatalogEntry* entry = item->firstEntry.get();
    for (const char16_t* word : kDateFormatWords) {
        if (entry == nullptr) break;
        entry->text = m_settingTexts.GetSettingText(word);
        entry = entry->next.get();
    }
    return 1;
}

int CControllerCatalog::VisibleToEntryIndex(int settingId, int n) const {
    return m_catalog.VisibleToEntryIndex(settingId, n);
}

int CControllerCatalog::EntryToVisibleIndex(int settingId, int k) const {
    return m_catalog.EntryToVisibleIndex(settingId, k);
}

void CControllerCatalog::FreeCatalog() {
    m_catalog.Clear();
}

std::wstring CControllerCatalog::GetSettingText(const wchar_t* word) const {
    return CopyToWide(m_settingTexts.GetSettingText(CopyToU16(word)));
}

std::wstring CControllerCatalog::GetButtonTip(COLORREF key) const {
    const char16_t* languageKey = ButtonTipKey(key);
    if (languageKey == nullptr) return CopyToWide(kUnknownButtonTip);
    return CopyToWide(m_language.GetString(languageKey));
}

int CControllerCatalog::LoadItemImages() {
    int loaded = 0;
    for (int state = 0; state < kItemImageStateCount; ++state) {
        m_strips[state] =
            ui::LoadSkinImage(kStripNames[state], ui::SkinSourceKind::OwnResources, nullptr, kResourceType);
        if (m_strips[state]) ++loaded;
    }
    return loaded == kItemImageStateCount ? 1 : 0;
}

int CControllerCatalog::GetItemImage(int settingId, int state,
                                     std::unique_ptr<Gdiplus::Bitmap>* image) const {
    if (image == nullptr) return 0;
    image->reset();
    if (state < 0 || state >= kItemImageStateCount) return 1;
    Gdiplus::Bitmap* strip = m_strips[state].get();
    if (strip == nullptr) return 0;
    int x = ItemImageIndex(settingId) * kItemImageWidth;
    // A strip narrower than the column or lower than a cell has no such cell.
    if (x + kItemImageWidth > static_cast<int>(strip->GetWidth()) ||
        kItemImageHeight > static_cast<int>(strip->GetHeight())) {
        return 0;
    }
    std::unique_ptr<Gdiplus::Bitmap> cell(
        strip->Clone(x, 0, kItemImageWidth, kItemImageHeight, PixelFormat32bppARGB));
    if (!cell || cell->GetLastStatus() != Gdiplus::Ok) return 0;
    *image = std::move(cell);
    return 1;
}

void CControllerCatalog::FreeItemImages() {
    for (auto& strip : m_strips) strip.reset();
}

}  // namespace vimbrel::controller
