// The project's own skin, embedded as vimbrel embeds it: every configuration
// reads as the program expects, every image it names decodes at its size,
// and the masks give the regions the windows are cut from.
#include "CSkinSource.h"
#include "GdiplusSession.h"
#include "SkinConfigPrinters.h"
#include "SkinMask.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

using namespace vimbrel::ui;

namespace {

struct ExpectedPanel {
    const wchar_t* type;
    const wchar_t* configName;
    PanelSkinConfig expected;
};

PanelSkinConfig Faces(const char* back, const char* down, const char* over, const char* mask, const char* disable) {
    PanelSkinConfig c;
    c.back = back;
    c.down = down;
    c.over = over;
    c.mask = mask;
    c.disable = disable;
    return c;
}

ToggleSkin Pause(Colour key) {
    return {key, "pause_back.jpg", "pause_over.jpg", "pause_down.jpg", "pause_disable.jpg"};
}

// slider=<key>,slider_mask.bmp,slider_back.jpg,slider.jpg,slider_over.jpg,FF00FF
SliderSkin Volume(Colour key) {
    return {key, "slider_mask.bmp", "slider_back.jpg", "slider.jpg", "slider_over.jpg", 0xFF00FF, ""};
}

PanelSkinConfig With(PanelSkinConfig c, std::vector<ToggleSkin> toggles, std::vector<SliderSkin> sliders) {
    c.toggles = std::move(toggles);
    c.sliders = std::move(sliders);
    return c;
}

// The shipped configurations, key colours written RRGGBB in the comments.
std::vector<ExpectedPanel> ShippedPanels() {
    return {
        {L"ProgramControl", L"ProgramControl.txt", Faces("back.jpg", "down.jpg", "over.jpg", "mask.bmp", "")},
        {L"Mode_Video", L"Mode_Video.txt",
         With(Faces("video_back.jpg", "video_down.jpg", "video_over.jpg", "video_mask.gif", "video_disable.jpg"),
              {Pause(0x960000)} /* 000096 */, {Volume(0xFA3200)} /* 0032FA */)},
        {L"Mode_VideoOnly", L"Mode_VideoOnly.txt",
         With(Faces("video_back.jpg", "video_down.jpg", "video_over.jpg", "video_mask.gif", "video_disable.jpg"),
              {Pause(0xC80000)} /* 0000C8 */, {})},
        {L"Mode_Audio", L"Mode_Audio.txt",
         With(Faces("audio_back.jpg", "audio_down.jpg", "audio_over.jpg", "audio_mask.gif", "audio_disable.jpg"),
              {Pause(0xFA0000)} /* 0000FA */, {Volume(0xFA3200)})},
        {L"Mode_Image", L"Mode_Image.txt",
         Faces("image_back.jpg", "image_down.jpg", "image_over.jpg", "image_mask.bmp", "image_disable.jpg")},
        {L"Mode_Monitor", L"Mode_Monitor.txt",
         Faces("monitor_back.jpg", "monitor_down.jpg", "monitor_over.jpg", "monitor_mask.bmp", "monitor_disable.jpg")},
        {L"Mode_Browse", L"Mode_Browse.txt",
         With(Faces("browse_back.jpg", "browse_down.jpg", "browse_over.jpg", "browse_mask.bmp", "browse_disable.jpg"),
              {{0x969600 /* 009696 */, "ppause-n.jpg", "ppasue-h.jpg", "ppause-d.jpg", "ppause-dis.JPG"}},
              {Volume(0x00C800) /* 00C800 */,
               {0xFA9600 /* 0096FA */, "playback_mask.bmp", "playback_back.jpg", "playback_slider.jpg",
                "playback_slider.jpg", 0x000000, "playback_dis.png"}})},
        // The slide-show player's bar has the same format.
        {L"CONTROL", L"CONTROL.TXT",
         With(Faces("back.jpg", "down.jpg", "over.jpg", "mask.bmp", "disable.jpg"),
              {{0xFA0000 /* 0000FA */, "sb.jpg", "sh.jpg", "sd.jpg", "sdis.JPG"}}, {})},
    };
}

struct Size {
    int width, height;
    bool operator==(const Size& o) const { return width == o.width && height == o.height; }
};
std::ostream& operator<<(std::ostream& os, const Size& s) { return os << s.width << "x" << s.height; }

Size SizeOf(Gdiplus::Bitmap& b) { return {int(b.GetWidth()), int(b.GetHeight())}; }

RECT KeyBox(const CSkinMask& mask, Colour key) {
    winowners::UniqueRegion region = mask.Region(key, RegionMode::SameColour);
    RECT box{};
    if (region) GetRgnBox(region.get(), &box);
    return box;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
    if (!IS_INTRESOURCE(name)) reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(name);
    return TRUE;
}

class SkinResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gdiplus_ = std::make_unique<CGdiplusSession>(); }
    static void TearDownTestSuite() { gdiplus_.reset(); }

    // An image the configuration names, loaded and checked for its size.
    static std::unique_ptr<Gdiplus::Bitmap> Load(const CSkinSource& source, const std::string& name) {
        std::unique_ptr<Gdiplus::Bitmap> image = source.LoadSkinImage(name);
        EXPECT_TRUE(image) << "cannot load " << name;
        return image;
    }

private:
    static std::unique_ptr<CGdiplusSession> gdiplus_;
};
std::unique_ptr<CGdiplusSession> SkinResources::gdiplus_;

}  // namespace

TEST_F(SkinResources, PanelConfigurationsReadAsShipped) {
    for (const ExpectedPanel& want : ShippedPanels()) {
        SCOPED_TRACE(testing::Message() << "panel type " << std::string(want.type, want.type + wcslen(want.type)));
        CSkinSource source(L"", want.type);
        ASSERT_EQ(source.Kind(), SkinSourceKind::OwnResources);
        PanelSkinConfig c;
        ASSERT_TRUE(source.ReadPanelConfig(want.configName, c));
        EXPECT_EQ(c, want.expected);
    }
}

TEST_F(SkinResources, PanelImagesLoadAtTheirSizesWithTheirKeysInTheMask) {
    for (const ExpectedPanel& want : ShippedPanels()) {
        SCOPED_TRACE(testing::Message() << std::string(want.type, want.type + wcslen(want.type)));
        CSkinSource source(L"", want.type);
        PanelSkinConfig c;
        ASSERT_TRUE(source.ReadPanelConfig(want.configName, c));

        auto back = Load(source, c.back);
        auto mask = Load(source, c.mask);
        ASSERT_TRUE(back && mask);
        Size panel = SizeOf(*back);
        if (want.type == std::wstring(L"ProgramControl")) {
            EXPECT_EQ(panel, (Size{36, 16}));
        } else if (want.type != std::wstring(L"CONTROL")) {
            EXPECT_EQ(panel, (Size{347, 62}));
        }
        EXPECT_EQ(SizeOf(*mask), panel);
        for (const std::string* face : {&c.over, &c.down, &c.disable}) {
            if (face->empty()) continue;
            auto image = Load(source, *face);
            if (image) {
                EXPECT_EQ(SizeOf(*image), panel) << *face;
            }
        }

        std::optional<CSkinMask> pixels = CSkinMask::FromBitmap(*mask);
        ASSERT_TRUE(pixels);
        std::vector<Colour> keys = pixels->KeyColours(kPanelKeyLimit);
        EXPECT_LT(keys.size(), kPanelKeyLimit) << "a panel mask must not reach the button limit";
        auto hasKey = [&](Colour k) { return std::find(keys.begin(), keys.end(), k) != keys.end(); };

        for (const ToggleSkin& t : c.toggles) {
            ASSERT_TRUE(hasKey(t.key)) << "toggle key missing from the mask";
            RECT box = KeyBox(*pixels, t.key);
            for (const std::string* name : {&t.normal, &t.over, &t.down, &t.disabled}) {
                auto image = Load(source, *name);
                // Drawn from the top-left of the button's box and clipped to
                // it: the picture must cover the whole box.
                if (image) {
                    EXPECT_EQ(SizeOf(*image), (Size{box.right - box.left, box.bottom - box.top})) << *name;
                }
            }
        }

        for (const SliderSkin& s : c.sliders) {
            SCOPED_TRACE(s.mask);
            ASSERT_TRUE(hasKey(s.key)) << "slider key missing from the panel mask";
            const bool playback = s.mask == "playback_mask.bmp";
            const Size size = playback ? Size{128, 9} : Size{95, 18};
            const size_t steps = playback ? 60 : 21;

            auto sliderMask = Load(source, s.mask);
            ASSERT_TRUE(sliderMask);
            EXPECT_EQ(SizeOf(*sliderMask), size);
            std::optional<CSkinMask> stepPixels = CSkinMask::FromBitmap(*sliderMask);
            ASSERT_TRUE(stepPixels);
            std::vector<Colour> levels = stepPixels->Steps();
            EXPECT_EQ(levels.size(), steps);
            if (!playback && levels.size() == 21) {
                EXPECT_EQ(levels.front(), kBlack);
                EXPECT_EQ(levels.back(), kWhite);
            }
            // Every step can be hit: none lies wholly under the transparent colour.
            for (Colour level : levels) {
                winowners::UniqueRegion hit = stepPixels->Region(level, RegionMode::SameColour);
                RECT box{};
                EXPECT_NE(GetRgnBox(hit.get(), &box), NULLREGION) << std::hex << level;
            }

            for (const std::string* name : {&s.back, &s.disabled}) {
                if (name->empty()) continue;
                auto image = Load(source, *name);
                if (image) {
                    EXPECT_EQ(SizeOf(*image), size) << *name;
                }
            }
            for (const std::string* name : {&s.strip, &s.overStrip}) {
                auto image = Load(source, *name);
                if (image) {
                    EXPECT_EQ(SizeOf(*image), (Size{size.width * int(steps), size.height})) << *name;
                }
            }
            // The slider window sits on the top-left of its key's area.
            RECT area = KeyBox(*pixels, s.key);
            EXPECT_EQ((Size{area.right - area.left, area.bottom - area.top}), size);
        }
    }
}

TEST_F(SkinResources, MainDialogMaskCarriesTheNineAreasAndBlackCorners) {
    CSkinSource source(L"", L"ZAVU_SKIN");
    DialogSkinConfig c;
    ASSERT_TRUE(source.ReadDialogConfig(L"Config.txt", c));
    EXPECT_EQ(c.back, "bg.jpg");
    EXPECT_EQ(c.map, "mask.bmp");

    auto back = Load(source, c.back);
    auto map = Load(source, c.map);
    ASSERT_TRUE(back && map);
    EXPECT_EQ(SizeOf(*back), (Size{768, 511}));
    EXPECT_EQ(SizeOf(*map), (Size{768, 511}));

    std::optional<CSkinMask> mask = CSkinMask::FromBitmap(*map);
    ASSERT_TRUE(mask);
    std::vector<Colour> keys = mask->KeyColours(kDialogKeyLimit);
    EXPECT_EQ(
        std::set<Colour>(keys.begin(), keys.end()),
        (std::set<Colour>{0xAAAAAA, 0xB4B4B4, 0xBEBEBE, 0xC8C8C8, 0xD2D2D2, 0xDCDCDC, 0xE6E6E6, 0xF0F0F0, 0xFAFAFA}));

    // A few black pixels round the corners; none elsewhere.
    for (auto [x, y] : {std::pair{0, 0}, {767, 0}, {0, 510}, {767, 510}}) {
        EXPECT_EQ(mask->At(x, y), kBlack) << x << "," << y;
    }
    for (int y = 0; y < mask->Height(); ++y) {
        for (int x = 0; x < mask->Width(); ++x) {
            bool nearCorner = (x < 10 || x >= 758) && (y < 10 || y >= 501);
            if (!nearCorner) {
                ASSERT_NE(mask->At(x, y), kBlack) << x << "," << y;
            }
        }
    }

    // The rectangles the main dialog will hand out must hold its children:
    // the mode panels (347 x 62) and the program control (36 x 16) start at
    // their area's corner, and nothing covers the about box.
    RECT panels = KeyBox(*mask, 0xD2D2D2), control = KeyBox(*mask, 0xB4B4B4);
    EXPECT_GE(panels.right - panels.left, 347);
    EXPECT_GE(panels.bottom - panels.top, 62);
    EXPECT_GE(control.right - control.left, 36);
    EXPECT_GE(control.bottom - control.top, 16);
    for (int y = 30; y < 85; ++y)
        for (int x = 680; x < 760; ++x) ASSERT_EQ(mask->At(x, y), kWhite) << x << "," << y;
}

TEST_F(SkinResources, MainDialogRegionsHitExactlyTheMaskPixels) {
    CSkinSource source(L"", L"ZAVU_SKIN");
    auto map = Load(source, "mask.bmp");
    ASSERT_TRUE(map);
    std::optional<CSkinMask> mask = CSkinMask::FromBitmap(*map);
    ASSERT_TRUE(mask);

    // The window shape, as the dialog builds it: through a GDI bitmap.
    HBITMAP gdiMask = nullptr;
    ASSERT_EQ(map->GetHBITMAP(Gdiplus::Color(0, 0, 0), &gdiMask), Gdiplus::Ok);
    winowners::UniqueBitmap ownMask(gdiMask);
    winowners::UniqueRegion shape(BitmapToRegion(gdiMask, RGB(0, 0, 0), 1));
    EXPECT_TRUE(skintest::RegionMatchesMask(shape.get(), *mask, [](Colour c) { return c != kBlack; }));

    for (Colour area : mask->KeyColours(kDialogKeyLimit)) {
        SCOPED_TRACE(testing::Message() << std::hex << area);
        winowners::UniqueRegion region(BitmapToRegion(gdiMask, area, 0));
        EXPECT_TRUE(skintest::RegionMatchesMask(region.get(), *mask, [&](Colour c) { return c == area; }));
    }
}

TEST_F(SkinResources, EverySkinResourceThatIsNotATextDecodes) {
    const wchar_t* types[] = {L"ZAVU_SKIN",  L"ProgramControl", L"Mode_Video",  L"Mode_VideoOnly", L"Mode_Audio",
                              L"Mode_Image", L"Mode_Monitor",   L"Mode_Browse", L"TOLVEX",         L"CONTROL"};
    for (const wchar_t* type : types) {
        std::vector<std::wstring> names;
        EnumResourceNamesW(nullptr, type, CollectName, reinterpret_cast<LONG_PTR>(&names));
        EXPECT_FALSE(names.empty()) << "no resources of a skin type";
        CSkinSource source(L"", type);
        for (const std::wstring& name : names) {
            if (name.size() > 4 && name.compare(name.size() - 4, 4, L".TXT") == 0) continue;
            EXPECT_TRUE(source.LoadSkinImage(name.c_str())) << std::string(name.begin(), name.end());
        }
    }
}

TEST_F(SkinResources, ItemPictureStripsHoldTwentySevenCells) {
    CSkinSource source(L"", L"TOLVEX");
    for (const char* name : {"function.png", "function_hover.png", "function_dis.png"}) {
        auto strip = Load(source, name);
        if (strip) {
            EXPECT_EQ(SizeOf(*strip), (Size{27 * 20, 20})) << name;
        }
    }
}
