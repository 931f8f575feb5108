#include "CatalogParser.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vimbrel::controller {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Fields between commas, blanks around them dropped; empty fields are
// skipped as a tokenizer skips runs of separators.
std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    while (!line.empty()) {
        std::size_t comma = line.find(',');
        std::string_view field = Trim(line.substr(0, comma));
        if (!field.empty()) fields.push_back(field);
        if (comma == std::string_view::npos) break;
        line.remove_prefix(comma + 1);
    }
    return fields;
}

// "0x" and up to eight hexadecimal digits, nothing else.
std::optional<int> ParseKey(std::string_view field) {
    if (field.size() > 1 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X')) {
        field.remove_prefix(2);
    }
    if (field.empty() || field.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : field) {
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (digit < 0) return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<int>(value);
}

// A decimal number as atoi reads it: leading blanks, a sign, digits up to
// the first other character; 0 when there are none. Clamped to int.
int ParseDecimal(std::string_view s, std::size_t* used = nullptr) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    std::int64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        if (value <= INT32_MAX) value = value * 10 + (s[i] - '0');
    }
    if (used) *used = i;
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int>(value);
}

// "minimum~maximum"; the maximum ends at the field end or a blank. A range
// without "~" is a single value.
void ParseRange(std::string_view field, int& minimum, int& maximum) {
    minimum = ParseDecimal(field);
    std::size_t tilde = field.find('~');
    if (tilde == std::string_view::npos) {
        maximum = minimum;
        return;
    }
    std::string_view rest = field.substr(tilde + 1);
    maximum = ParseDecimal(rest.substr(0, rest.find_first_of(" \t")));
}

std::optional<int> TypeOfWord(std::string_view word) {
    if (word == "item") return kCatalogItem;
    if (word == "slider") return kCatalogSlider;
    if (word == "image") return kCatalogImage;
    if (word == "color") return kCatalogColor;
    if (word == "button") return kCatalogButton;
    return std::nullopt;
}

// The file is 8-bit text of plain ASCII words; bytes map to code points.
std::u16string Widen(std::string_view s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

int ParseCatalog(std::string_view text, const ICatalogWords& words, CFeatureCatalog& catalog) {
    int order = 0;
    while (!text.empty()) {
        // CR LF, LF and a lone CR all end a line; the empty line between
        // CR and LF is skipped with the other blank ones.
        std::size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.size() > kCatalogLineLimit) line = line.substr(0, kCatalogLineLimit);
        if (line.substr(0, 2) == "//") continue;

        std::vector<std::string_view> fields = SplitFields(line);
        if (fields.size() < 3) continue;
        std::optional<int> key = ParseKey(fields[0]);
        std::optional<int> type = TypeOfWord(fields[2]);
        if (!key || !type) continue;

        int minimum = 0;
        int maximum = 0;
        if (*type == kCatalogSlider && fields.size() > 3) ParseRange(fields[3], minimum, maximum);
        CatalogItem& item = catalog.AddItem(*key, order, words.GetSettingText(Widen(fields[1])), *type, minimum,
                                            maximum);
        ++order;
        // Entries go to the item just made, even when an earlier line had
        // the same key.
        if (*type == kCatalogItem) {
            for (std::size_t i = 3; i < fields.size(); ++i) {
                CFeatureCatalog::AddEntry(item, words.GetSettingText(Widen(fields[i])));
            }
        }
    }
    return order;
}

}  // namespace vimbrel::controller
