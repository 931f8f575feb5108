#include "ProfileText.h"

namespace vimbrel::texts {
namespace {

std::u16string DecodeUtf16(const unsigned char* p, std::size_t size, bool bigEndian) {
    std::u16string out;
    out.reserve(size / 2);
    // An odd trailing byte cannot be half of anything useful: dropped.
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        unsigned hi = bigEndian ? p[i] : p[i + 1];
        unsigned lo = bigEndian ? p[i + 1] : p[i];
        out.push_back(static_cast<char16_t>((hi << 8) | lo));
    }
    return out;
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

std::u16string DecodeUtf8(const unsigned char* p, std::size_t size) {
    constexpr char32_t kReplacement = 0xFFFD;
    std::u16string out;
    out.reserve(size);
    std::size_t i = 0;
    while (i < size) {
        unsigned char lead = p[i];
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
        if (length == 0 || i + length > size) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (std::size_t k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!valid || cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        AppendCodePoint(out, cp);
        i += length;
    }
    return out;
}

char16_t FoldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
    if (c < 0xC0) return c;
    if (c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);                  // Latin-1
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<char16_t>(c + 0x20);  // Greek
    if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 0x20);                // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
    return c;
}

// A NUL ends the text of a line as it ends a string for the profile API.
constexpr std::u16string_view kLineEnds(u"\r\n\0", 3);

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; }

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::u16string_view Unquote(std::u16string_view value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::u16string DecodeProfileBytes(const unsigned char* data, std::size_t size, AnsiDecoder ansi) {
    if (data == nullptr || size == 0) return {};
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) return DecodeUtf16(data + 2, size - 2, false);
    if (size >= 2 && data[0] == 0xFE && data[1] == 0xFF) return DecodeUtf16(data + 2, size - 2, true);
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) return DecodeUtf8(data + 3, size - 3);
    if (ansi != nullptr) return ansi(reinterpret_cast<const char*>(data), size);
    return std::u16string(data, data + size);  // Latin-1: each byte is its own code point
}

bool ProfileNamesEqual(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

std::optional<std::u16string_view> CProfileText::FindValue(std::u16string_view section, std::u16string_view key) const {
    section = Trim(section);
    key = Trim(key);
    std::u16string_view rest(text_);
    bool inSection = false;
    while (!rest.empty()) {
        std::size_t end = rest.find_first_of(kLineEnds);
        std::u16string_view line = Trim(rest.substr(0, end));
        rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
        if (line.empty() || line.front() == u';') continue;
        if (line.front() == u'[') {
            // The name runs to the last "]"; an unclosed bracket is no header.
            std::size_t close = line.rfind(u']');
            if (close != std::u16string_view::npos) {
                // Only the first section of a name counts, as with the profile API.
                if (inSection) return std::nullopt;
                inSection = ProfileNamesEqual(Trim(line.substr(1, close - 1)), section);
                continue;
            }
        }
        if (!inSection) continue;
        std::size_t equals = line.find(u'=');
        std::u16string_view name = Trim(line.substr(0, equals));
        if (!ProfileNamesEqual(name, key)) continue;
        if (equals == std::u16string_view::npos) return std::u16string_view();
        return Unquote(Trim(line.substr(equals + 1)));
    }
    return std::nullopt;
}

std::u16string CProfileText::ReadString(std::u16string_view section, std::u16string_view key,
                                        std::size_t capacity) const {
    if (capacity == 0) return {};
    std::optional<std::u16string_view> value = FindValue(section, key);
    if (!value) return {};
    return std::u16string(value->substr(0, capacity - 1));
}

}  // namespace vimbrel::texts
