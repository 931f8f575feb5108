#include "SkinConfig.h"

#include <tuple>

namespace vimbrel::ui {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\0'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool KeyIs(std::string_view key, std::string_view expected) {
    if (key.size() != expected.size()) return false;
    for (size_t i = 0; i < key.size(); ++i) {
        if (Lower(key[i]) != expected[i]) return false;
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = Lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::vector<std::string_view> SplitFields(std::string_view value) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        size_t comma = value.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(value.substr(start));
            return fields;
        }
        fields.push_back(value.substr(start, comma - start));
        start = comma + 1;
    }
}

// Copies a name field, refusing one over its limit.
bool TakeName(std::string_view field, size_t limit, std::string& out) {
    if (field.size() > limit) return false;
    out.assign(field);
    return true;
}

SkinConfigStatus ParseToggle(std::string_view value, ToggleSkin& out) {
    std::vector<std::string_view> f = SplitFields(value);
    if (f.size() < 5) return SkinConfigStatus::BadToggleLine;
    for (size_t i = 1; i < 5; ++i) {
        if (f[i].empty()) return SkinConfigStatus::BadToggleLine;
    }
    if (!ParseKeyColour(f[0], out.key)) return SkinConfigStatus::BadColour;
    if (!TakeName(f[1], kMaxToggleImageName, out.normal) || !TakeName(f[2], kMaxToggleImageName, out.over) ||
        !TakeName(f[3], kMaxToggleImageName, out.down) || !TakeName(f[4], kMaxToggleImageName, out.disabled)) {
        return SkinConfigStatus::NameTooLong;
    }
    return SkinConfigStatus::Ok;
}

SkinConfigStatus ParseSlider(std::string_view value, SliderSkin& out) {
    std::vector<std::string_view> f = SplitFields(value);
    // The strip and the transparent colour are as necessary as the mask and
    // the hover strip: a line without them cannot make a working slider.
    if (f.size() < 6) return SkinConfigStatus::BadSliderLine;
    for (size_t i = 1; i < 6; ++i) {
        if (f[i].empty()) return SkinConfigStatus::BadSliderLine;
    }
    if (!ParseKeyColour(f[0], out.key) || !ParseKeyColour(f[5], out.transparent)) {
        return SkinConfigStatus::BadColour;
    }
    if (!TakeName(f[1], kMaxSliderImageName, out.mask) || !TakeName(f[2], kMaxSliderImageName, out.back) ||
        !TakeName(f[3], kMaxSliderImageName, out.strip) || !TakeName(f[4], kMaxSliderImageName, out.overStrip)) {
        return SkinConfigStatus::NameTooLong;
    }
    out.disabled.clear();
    if (f.size() > 6 && !TakeName(f[6], kMaxSliderImageName, out.disabled)) {
        return SkinConfigStatus::NameTooLong;
    }
    return SkinConfigStatus::Ok;
}

// Walks the text line by line and hands each key and value to onEntry,
// which answers Ok to go on. Stops at the first line that breaks a rule.
template <typename OnEntry>
SkinConfigStatus ForEachEntry(std::string_view text, OnEntry onEntry) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos = next;

        if (line.size() > kMaxSkinConfigLine) return SkinConfigStatus::LineTooLong;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        std::string_view key = line.substr(0, eq);
        std::string_view rest = line.substr(eq + 1);
        size_t valueEnd = 0;
        while (valueEnd < rest.size() && !IsBlank(rest[valueEnd])) ++valueEnd;
        SkinConfigStatus status = onEntry(key, rest.substr(0, valueEnd));
        if (status != SkinConfigStatus::Ok) return status;
    }
    return SkinConfigStatus::Ok;
}

SkinConfigStatus SetName(std::string_view value, std::string& field) {
    return TakeName(value, kMaxFaceImageName, field) ? SkinConfigStatus::Ok : SkinConfigStatus::NameTooLong;
}

}  // namespace

bool operator==(const ToggleSkin& a, const ToggleSkin& b) {
    return std::tie(a.key, a.normal, a.over, a.down, a.disabled) ==
           std::tie(b.key, b.normal, b.over, b.down, b.disabled);
}

bool operator==(const SliderSkin& a, const SliderSkin& b) {
    return std::tie(a.key, a.mask, a.back, a.strip, a.overStrip, a.transparent, a.disabled) ==
           std::tie(b.key, b.mask, b.back, b.strip, b.overStrip, b.transparent, b.disabled);
}

bool operator==(const PanelSkinConfig& a, const PanelSkinConfig& b) {
    return std::tie(a.back, a.over, a.down, a.disable, a.mask, a.toggles, a.sliders) ==
           std::tie(b.back, b.over, b.down, b.disable, b.mask, b.toggles, b.sliders);
}

bool ParseKeyColour(std::string_view text, Colour& out) {
    if (text.empty() || text.size() > 6) return false;
    uint32_t rgb = 0;
    for (char c : text) {
        int digit = HexDigit(c);
        if (digit < 0) return false;
        rgb = (rgb << 4) | static_cast<uint32_t>(digit);
    }
    out = MakeColour(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
    return true;
}

SkinConfigStatus ParsePanelSkinConfig(std::string_view text, PanelSkinConfig& out) {
    out = PanelSkinConfig{};
    SkinConfigStatus status = ForEachEntry(text, [&](std::string_view key, std::string_view value) {
        if (KeyIs(key, "back")) return SetName(value, out.back);
        if (KeyIs(key, "over")) return SetName(value, out.over);
        if (KeyIs(key, "down")) return SetName(value, out.down);
        if (KeyIs(key, "disable")) return SetName(value, out.disable);
        if (KeyIs(key, "mask")) return SetName(value, out.mask);
        if (KeyIs(key, "stsbtn")) {
            ToggleSkin toggle;
            SkinConfigStatus s = ParseToggle(value, toggle);
            if (s == SkinConfigStatus::Ok) out.toggles.push_back(std::move(toggle));
            return s;
        }
        if (KeyIs(key, "slider")) {
            SliderSkin slider;
            SkinConfigStatus s = ParseSlider(value, slider);
            if (s == SkinConfigStatus::Ok) out.sliders.push_back(std::move(slider));
            return s;
        }
        return SkinConfigStatus::Ok;
    });
    if (status != SkinConfigStatus::Ok) return status;
    return out.back.empty() ? SkinConfigStatus::MissingBack : SkinConfigStatus::Ok;
}

SkinConfigStatus ParseDialogSkinConfig(std::string_view text, DialogSkinConfig& out) {
    out = DialogSkinConfig{};
    bool sawBack = false, sawMap = false;
    SkinConfigStatus status = ForEachEntry(text, [&](std::string_view key, std::string_view value) {
        if (KeyIs(key, "back")) {
            sawBack = true;
            return SetName(value, out.back);
        }
        if (KeyIs(key, "map")) {
            sawMap = true;
            return SetName(value, out.map);
        }
        return SkinConfigStatus::Ok;
    });
    if (status != SkinConfigStatus::Ok) return status;
    if (!sawBack) return SkinConfigStatus::MissingBack;
    if (!sawMap) return SkinConfigStatus::MissingMap;
    return SkinConfigStatus::Ok;
}

const char* SkinConfigStatusText(SkinConfigStatus status) {
    switch (status) {
    case SkinConfigStatus::Ok: return "ok";
    case SkinConfigStatus::LineTooLong: return "line too long";
    case SkinConfigStatus::NameTooLong: return "image name too long";
    case SkinConfigStatus::BadToggleLine: return "stsbtn line short of fields";
    case SkinConfigStatus::BadSliderLine: return "slider line short of fields";
    case SkinConfigStatus::BadColour: return "bad colour field";
    case SkinConfigStatus::MissingBack: return "no back image";
    case SkinConfigStatus::MissingMap: return "no map image";
    }
    return "unknown";
}

}  // namespace vimbrel::ui
