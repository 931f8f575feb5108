#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "CControllerCatalog.h"
#include "CLanguageText.h"
#include "DataRoot.h"
#include "GdiplusSession.h"
#include "SystemPorts.h"

using namespace vimbrel::controller;

namespace {

class CTestClock final : public ILocalClock {
public:
    LocalTime Now() const override { return now; }
    LocalTime now{2026, 7, 4, 9, 5};
};

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

class ControllerCatalog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdiplus.Ok());
        ASSERT_EQ(texts.Load((ProgramFolder() + L"\\glossa.dll").c_str(), (ProgramFolder() + L"\\Vimbrel.ini").c_str()),
                  1);
    }

    std::wstring EntryText(int settingId, int index) {
        CatalogEntry* entry = nullptr;
        if (!catalog.GetCatalogEntries(settingId, &entry)) return L"<no item>";
        for (; entry && index > 0; --index) entry = entry->next.get();
        return entry ? std::wstring(entry->text.begin(), entry->text.end()) : L"<no entry>";
    }

    vimbrel::ui::CGdiplusSession gdiplus;
    CLanguageText texts;
    CLanguageTextStrings language{texts};
    CTestClock clock;
    CControllerCatalog catalog{language, clock};
};

TEST_F(ControllerCatalog, FileGoesToTheDataRootOfThisWindowsVersion) {
    // CTest says which branch this run must take.
    const char* expected = std::getenv("VIMBREL_EXPECT_WINDOWS_ABOVE_5");
    ASSERT_NE(expected, nullptr);
    ASSERT_EQ(IsWindowsAbove5(), std::string(expected) == "1");
    std::wstring path = CControllerCatalog::CatalogFilePath();
    if (IsWindowsAbove5()) {
        ASSERT_FALSE(CommonAppDataFolder().empty());
        EXPECT_EQ(path, CommonAppDataFolder() + L"\\Zavu\\Vimbrel2\\functions.stg");
    } else {
        EXPECT_EQ(path, ProgramFolder() + L"\\functions.stg");
    }
}

TEST_F(ControllerCatalog, LoadsFromTheResourcesThroughAFileItDeletes) {
    std::wstring path = CControllerCatalog::CatalogFilePath();
    // A fresh system has no Zavu folder yet: it is made on the way.
    if (IsWindowsAbove5()) {
        RemoveDirectoryW(Folder(path).c_str());
        RemoveDirectoryW(Folder(Folder(path)).c_str());
    }
    ASSERT_EQ(catalog.LoadCatalog(), 1);
    EXPECT_TRUE(Exists(Folder(path)));
    EXPECT_FALSE(Exists(path));

    CatalogItem* first = nullptr;
    ASSERT_EQ(catalog.GetCatalog(&first), 1);
    int count = 0;
    for (CatalogItem* item = first; item; item = item->next.get()) EXPECT_EQ(item->order, count++);
    EXPECT_EQ(count, 28);
    EXPECT_EQ(first->key, 0x0B0000);

    // Titles and entries come from the language file.
    CatalogItem* flash = nullptr;
    ASSERT_EQ(catalog.FindCatalogItem(0x100, &flash), 1);
    EXPECT_EQ(std::wstring(flash->title.begin(), flash->title.end()), L"Flash");
    EXPECT_EQ(EntryText(0x100, 0), L"On");
    EXPECT_EQ(EntryText(0x100, 1), L"Off");
    EXPECT_EQ(EntryText(0x202, 1), L"Light bulb");

    // Loading again replaces the catalogue rather than adding to it.
    ASSERT_EQ(catalog.LoadCatalog(), 1);
    count = 0;
    for (CatalogItem *item = nullptr, *p = (catalog.GetCatalog(&item), item); p; p = p->next.get()) ++count;
    EXPECT_EQ(count, 28);
}

TEST_F(ControllerCatalog, UnwritableFileStillGivesTheCatalogue) {
    std::wstring path = CControllerCatalog::CatalogFilePath();
    ASSERT_TRUE(EnsureFolderExists(Folder(path)));
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));  // a folder where the file should go
    int result = catalog.LoadCatalog();
    RemoveDirectoryW(path.c_str());
    EXPECT_EQ(result, 1);
    EXPECT_EQ(catalog.CountEnabledEntries(0x102), 5);
}

TEST_F(ControllerCatalog, ModuleWithoutACatalogue) {
    EXPECT_EQ(catalog.LoadCatalog(GetModuleHandleW(L"kernel32.dll")), 0);
    CatalogItem* first = reinterpret_cast<CatalogItem*>(1);
    EXPECT_EQ(catalog.GetCatalog(&first), 0);
    EXPECT_EQ(first, nullptr);
}

TEST_F(ControllerCatalog, LookupsAndEdits) {
    ASSERT_EQ(catalog.LoadCatalog(), 1);
    CatalogItem* filter = nullptr;
    CatalogItem* browseFilter = nullptr;
    ASSERT_EQ(catalog.FindCatalogItem(0x400, &filter), 1);
    ASSERT_EQ(catalog.FindCatalogItemNode(0x401, &browseFilter), 1);
    EXPECT_EQ(filter->key, 0x0B0400);
    EXPECT_EQ(browseFilter->key, 0x100401);
    EXPECT_EQ(catalog.CountEnabledEntries(0x102), 5);
    EXPECT_EQ(catalog.CountEnabledEntries(0x999), -1);

    CatalogEntry* entries = reinterpret_cast<CatalogEntry*>(1);
    EXPECT_EQ(catalog.GetCatalogEntries(0x103, &entries), 1);  // filled later from the camera
    EXPECT_EQ(entries, nullptr);
    EXPECT_EQ(catalog.GetCatalogEntries(0x999, &entries), 0);
    EXPECT_EQ(catalog.AddCatalogEntry(0x280103, L"640x480"), 1);
    EXPECT_EQ(catalog.AddCatalogEntry(0x103, L"640x480"), 0);  // needs the whole key
    EXPECT_EQ(EntryText(0x103, 0), L"640x480");

    // Shoot modes switched off by a camera module drop out of the maps.
    CatalogEntry* shoot = nullptr;
    ASSERT_EQ(catalog.GetCatalogEntries(0x000, &shoot), 1);
    shoot->next->next->enabled = 0;  // SM_FastObject
    EXPECT_EQ(catalog.CountEnabledEntries(0x000), 6);
    EXPECT_EQ(catalog.VisibleToEntryIndex(0x000, 2), 3);
    EXPECT_EQ(catalog.EntryToVisibleIndex(0x000, 3), 2);

    EXPECT_EQ(catalog.RemoveCatalogItem(0x200), 1);
    EXPECT_EQ(catalog.FindCatalogItem(0x200, &filter), 0);
    EXPECT_EQ(catalog.AddCatalogItem(0x200000, 28, L"Extra", kCatalogSlider, 3, 7), 1);
    ASSERT_EQ(catalog.FindCatalogItem(0x0000, &filter), 1);
    EXPECT_EQ(filter->key, 0x0B0000);  // the first item of id 0 is still ShootMode
    catalog.FreeCatalog();
    EXPECT_EQ(catalog.GetCatalog(&filter), 0);
}

TEST_F(ControllerCatalog, DateEntriesFollowTheClock) {
    ASSERT_EQ(catalog.LoadCatalog(), 1);
    EXPECT_EQ(EntryText(0x105, 0), L"07/04/2026");
    clock.now = LocalTime{2027, 1, 9, 18, 30};
    EXPECT_EQ(EntryText(0x105, 0), L"07/04/2026");  // until asked to refresh
    EXPECT_EQ(catalog.LoadDateFormatNames(0x105), 1);
    EXPECT_EQ(EntryText(0x105, 0), L"01/09/2027");
    EXPECT_EQ(EntryText(0x105, 1), L"01/09");
    EXPECT_EQ(EntryText(0x105, 2), L"18:30 01/09");
    EXPECT_EQ(EntryText(0x105, 3), L"Off");
    EXPECT_EQ(catalog.LoadDateFormatNames(0x104), 0);
    catalog.RemoveCatalogItem(0x105);
    EXPECT_EQ(catalog.LoadDateFormatNames(0x105), 0);
}

TEST_F(ControllerCatalog, SettingTextsAndButtonTipsFromTheLanguageFile) {
    EXPECT_EQ(catalog.GetSettingText(L"WB_Auto"), L"Automatic");
    EXPECT_EQ(catalog.GetSettingText(L"advanced settings"), L"Advanced settings");
    EXPECT_EQ(catalog.GetSettingText(L"Nonsense"), L"");
    EXPECT_EQ(catalog.GetSettingText(L"MMDD"), L"07/04");
    EXPECT_EQ(catalog.GetButtonTip(RGB(0x00, 0x00, 0x64)), L"Close");
    EXPECT_EQ(catalog.GetButtonTip(RGB(0x00, 0x32, 0x00)), L"Take a picture");
    EXPECT_EQ(catalog.GetButtonTip(RGB(0x00, 0x32, 0xFA)), L"Volume");
    EXPECT_EQ(catalog.GetButtonTip(RGB(0x00, 0xC8, 0x00)), L"Volume");
    EXPECT_EQ(catalog.GetButtonTip(RGB(0x64, 0x00, 0x00)), L"Unkown");
    EXPECT_EQ(catalog.GetButtonTip(RGB(0xDC, 0xDC, 0xDC)), L"Unkown");
}

// The test strips: column c of state s is (10 + 9c, 40 + 80s, 250 - 5c).
TEST_F(ControllerCatalog, ItemPicturesAreCellsOfTheStrips) {
    EXPECT_EQ(catalog.GetItemImageWidth(), 20);
    EXPECT_EQ(catalog.GetItemImageHeight(), 20);
    std::unique_ptr<Gdiplus::Bitmap> image;
    EXPECT_EQ(catalog.GetItemImage(0x100, 0, &image), 0) << "no strips loaded yet";
    ASSERT_EQ(catalog.LoadItemImages(), 1);
    struct Case {
        int settingId;
        int state;
        int column;
    };
    for (const Case& c : {Case{0x000, 0, 0}, Case{0x100, 0, 1}, Case{0x103, 1, 4}, Case{0x104, 1, 4},
                          Case{0x401, 2, 17}, Case{0x1400, 0, 26}, Case{0x1400, 2, 26}, Case{0x999, 1, 0}}) {
        ASSERT_EQ(catalog.GetItemImage(c.settingId, c.state, &image), 1) << std::hex << c.settingId;
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->GetWidth(), 20u);
        EXPECT_EQ(image->GetHeight(), 20u);
        for (int xy : {0, 10, 19}) {
            Gdiplus::Color pixel;
            ASSERT_EQ(image->GetPixel(xy, xy, &pixel), Gdiplus::Ok);
            EXPECT_EQ(pixel.GetR(), 10 + 9 * c.column) << std::hex << c.settingId;
            EXPECT_EQ(pixel.GetG(), 40 + 80 * c.state);
            EXPECT_EQ(pixel.GetB(), 250 - 5 * c.column);
            EXPECT_EQ(pixel.GetA(), 255);
        }
    }
    // Another state answers 1 and gives nothing.
    EXPECT_EQ(catalog.GetItemImage(0x100, 3, &image), 1);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(catalog.GetItemImage(0x100, -1, &image), 1);
    EXPECT_EQ(image, nullptr);
    catalog.FreeItemImages();
    EXPECT_EQ(catalog.GetItemImage(0x100, 0, &image), 0);
}

// The strips the skin script draws for the program: one 20 x 20 cell for
// each of the 27 columns.
TEST_F(ControllerCatalog, ShippedStripsHaveACellPerColumn) {
    for (const wchar_t* name : {L"function.png", L"function_hover.png", L"function_dis.png"}) {
        std::wstring path = std::wstring(VIMBREL_SKIN_STRIPS_DIR) + L"/" + name;
        Gdiplus::Bitmap strip(path.c_str());
        ASSERT_EQ(strip.GetLastStatus(), Gdiplus::Ok) << "cannot read the skin's " << name;
        EXPECT_EQ(strip.GetWidth(), 20u * 27u);
        EXPECT_EQ(strip.GetHeight(), 20u);
    }
}

}  // namespace
