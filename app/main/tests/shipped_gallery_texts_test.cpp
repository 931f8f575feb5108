// The language file the program ships gives the effects filter's gallery
// page its labels: the page reads sections of its own, [ENG] and [GER],
// which must hold every key it asks for, in the same words the program's
// own [English] and [German] sections use.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GalleryTables.h"
#include "ProfileText.h"

namespace {

using vimbrel::texts::CProfileText;

CProfileText ShippedFile() {
    std::ifstream file(std::string(VIMBREL_RESOURCES_DIR) + "/Vimbrel.ini", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return CProfileText(
        vimbrel::texts::DecodeProfileBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

std::vector<lenstint::GalleryLabel> GalleryLabels() {
    std::vector<lenstint::GalleryLabel> labels{lenstint::GalleryFilterTabLabel(), lenstint::GalleryFrameLabel()};
    for (int item = 0; item < lenstint::kGalleryItems; ++item) labels.push_back(lenstint::GalleryFilterLabel(item));
    return labels;
}

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(ShippedGalleryTexts, EachGallerySectionHasEveryLabelInTheProgramsWords) {
    const CProfileText profile = ShippedFile();
    const struct {
        const char16_t* gallery;
        const char16_t* program;
    } pairs[] = {{u"ENG", u"English"}, {u"GER", u"German"}};
    for (const auto& pair : pairs) {
        for (const lenstint::GalleryLabel& label : GalleryLabels()) {
            const auto text = profile.FindValue(pair.gallery, label.key);
            ASSERT_TRUE(text && !text->empty()) << Narrow(label.key) << " missing in " << Narrow(pair.gallery);
            const auto programs = profile.FindValue(pair.program, label.key);
            ASSERT_TRUE(programs.has_value()) << Narrow(label.key);
            EXPECT_TRUE(*text == *programs) << Narrow(label.key) << " in " << Narrow(pair.gallery);
        }
    }
}

// A key's text in a section, "" when missing.
std::string TextOf(const CProfileText& profile, const char16_t* section, const char16_t* key) {
    return Narrow(profile.FindValue(section, key).value_or(u""));
}

TEST(ShippedGalleryTexts, GermanAndEnglishWindowsFindTheirOwnWords) {
    const CProfileText profile = ShippedFile();
    // German (1031) reads GER, US English (1033) ENG.
    EXPECT_EQ(TextOf(profile, lenstint::EffectLanguageSection(1031), u"IDS_STG_FRAME"), "Rahmen");
    EXPECT_EQ(TextOf(profile, lenstint::EffectLanguageSection(1031), u"IDS_EFFECT_NONE"), "Keiner");
    EXPECT_EQ(TextOf(profile, lenstint::EffectLanguageSection(1033), u"IDS_EFFECT_NONE"), "None");
    EXPECT_EQ(TextOf(profile, lenstint::EffectLanguageSection(1033), u"IDS_EFFECT_KALEIDOSCOPE"), "Kaleidoscope");
}

}  // namespace
