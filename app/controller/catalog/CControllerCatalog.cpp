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
const wchar_t* const kStripNames[kItemImageStateCount] = {L"function.png", L"function_hover.png", L"function_dis.png"};

// The words whose current text LoadDateFormatNames puts into the first
// three Date entries.
const char16_t* const kDateFormatWords[] = {u"MMDDYYYY", u"MMDD", u"HHMMMMDD"};
constexpr int kDateSettingId = 0x105;

}  // namespace

CControllerCatalog::CControllerCatalog(const ILanguageStrings& language, const ILocalClock& clock)
    : language_(language), settingTexts_(language, clock) {}

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
    catalog_.Clear();
    ParseCatalog(text, settingTexts_, catalog_);
    return 1;
}

int CControllerCatalog::GetCatalog(CatalogItem** first) {
    if (first) *first = catalog_.First();
    return catalog_.IsEmpty() ? 0 : 1;
}

int CControllerCatalog::FindCatalogItem(int settingId, CatalogItem** item) {
    CatalogItem* found = catalog_.Find(settingId);
    if (item) *item = found;
    return found ? 1 : 0;
}

int CControllerCatalog::FindCatalogItemNode(int settingId, CatalogItem** item) {
    return FindCatalogItem(settingId, item);
}

int CControllerCatalog::GetCatalogEntries(int settingId, CatalogEntry** first) {
    CatalogItem* item = catalog_.Find(settingId);
    if (first) *first = item ? item->firstEntry.get() : nullptr;
    return item ? 1 : 0;
}

int CControllerCatalog::CountEnabledEntries(int settingId) const { return catalog_.CountEnabledEntries(settingId); }

int CControllerCatalog::AddCatalogItem(int key, int order, const wchar_t* title, int type, int minimum, int maximum) {
    catalog_.AddItem(key, order, CopyToU16(title), type, minimum, maximum);
    return 1;
}

int CControllerCatalog::AddCatalogEntry(int key, const wchar_t* text) {
    return catalog_.AddEntry(key, CopyToU16(text));
}

int CControllerCatalog::RemoveCatalogItem(int settingId) { return catalog_.RemoveItem(settingId); }

int CControllerCatalog::LoadDateFormatNames(int settingId) {
    if (settingId != kDateSettingId) return 0;
    CatalogItem* item = catalog_.Find(settingId);
    if (item == nullptr) return 0;
    CatalogEntry* entry = item->firstEntry.get();
    for (const char16_t* word : kDateFormatWords) {
        if (entry == nullptr) break;
        entry->text = settingTexts_.GetSettingText(word);
        entry = entry->next.get();
    }
    return 1;
}

int CControllerCatalog::VisibleToEntryIndex(int settingId, int n) const {
    return catalog_.VisibleToEntryIndex(settingId, n);
}

int CControllerCatalog::EntryToVisibleIndex(int settingId, int k) const {
    return catalog_.EntryToVisibleIndex(settingId, k);
}

void CControllerCatalog::FreeCatalog() { catalog_.Clear(); }

std::wstring CControllerCatalog::GetSettingText(const wchar_t* word) const {
    return CopyToWide(settingTexts_.GetSettingText(CopyToU16(word)));
}

std::wstring CControllerCatalog::GetButtonTip(COLORREF key) const {
    const char16_t* languageKey = ButtonTipKey(key);
    if (languageKey == nullptr) return CopyToWide(kUnknownButtonTip);
    return CopyToWide(language_.GetString(languageKey));
}

int CControllerCatalog::LoadItemImages() {
    int loaded = 0;
    for (int state = 0; state < kItemImageStateCount; ++state) {
        strips_[state] = ui::LoadSkinImage(kStripNames[state], ui::SkinSourceKind::OwnResources, nullptr,
                                           kResourceType);
        if (strips_[state]) ++loaded;
    }
    return loaded == kItemImageStateCount ? 1 : 0;
}

int CControllerCatalog::GetItemImage(int settingId, int state, std::unique_ptr<Gdiplus::Bitmap>* image) const {
    if (image == nullptr) return 0;
    image->reset();
    if (state < 0 || state >= kItemImageStateCount) return 1;
    Gdiplus::Bitmap* strip = strips_[state].get();
    if (strip == nullptr) return 0;
    int x = ItemImageIndex(settingId) * kItemImageWidth;
    // A strip narrower than the column or lower than a cell has no such cell.
    if (x + kItemImageWidth > static_cast<int>(strip->GetWidth()) ||
        kItemImageHeight > static_cast<int>(strip->GetHeight())) {
        return 0;
    }
    std::unique_ptr<Gdiplus::Bitmap> cell(strip->Clone(x, 0, kItemImageWidth, kItemImageHeight, PixelFormat32bppARGB));
    if (!cell || cell->GetLastStatus() != Gdiplus::Ok) return 0;
    *image = std::move(cell);
    return 1;
}

void CControllerCatalog::FreeItemImages() {
    for (auto& strip : strips_) strip.reset();
}

}  // namespace vimbrel::controller
