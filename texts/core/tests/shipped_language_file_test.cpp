// The language file the installer ships: every language named in its
// Language section has a text for every key of the US English section,
// within the lengths the lookup keeps.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "LanguageLookup.h"
#include "ProfileText.h"

using namespace vimbrel::texts;

namespace {

std::u16string ReadShippedFile() {
    std::ifstream file(std::string(VIMBREL_RESOURCES_DIR) + "/Vimbrel.ini", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return DecodeProfileBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// The keys of one section, by a plain scan of "key=" lines.
std::vector<std::u16string> KeysOfSection(const std::u16string& text, std::u16string_view section) {
    std::vector<std::u16string> keys;
    bool inside = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string::npos) end = text.size();
        std::u16string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line[0] == u'[') {
            inside = line == u"[" + std::u16string(section) + u"]";
        } else if (inside && !line.empty() && line[0] != u';' && line.find(u'=') != std::u16string::npos) {
            keys.push_back(line.substr(0, line.find(u'=')));
        }
    }
    return keys;
}

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST(ShippedLanguageFile, EveryLanguageHasEveryKey) {
    std::u16string text = ReadShippedFile();
    ASSERT_FALSE(text.empty()) << "resources/Vimbrel.ini is missing or not UTF-16LE with a BOM";
    CProfileText profile(text);

    std::u16string english = profile.ReadString(u"Language", u"0x409", kSectionNameCapacity);
    ASSERT_FALSE(english.empty());
    std::vector<std::u16string> keys = KeysOfSection(text, english);
    EXPECT_GT(keys.size(), 150u);

    for (std::uint16_t language : {0x409, 0x809, 0x407, 0x807, 0xC07}) {
        std::u16string section = profile.ReadString(u"Language", LanguageKeyName(language), 64);
        ASSERT_FALSE(section.empty()) << std::hex << language;
        EXPECT_LT(section.size(), kSectionNameCapacity);
        for (const std::u16string& key : keys) {
            auto value = profile.FindValue(section, key);
            ASSERT_TRUE(value && !value->empty()) << Narrow(key) << " missing in " << Narrow(section);
            EXPECT_LT(value->size(), kTextCapacity) << Narrow(key) << " too long in " << Narrow(section);
        }
    }
}

}  // namespace
