#include "OverlayLogic.h"

#include <cstdio>

namespace vimbrel::ui {
namespace {

std::u16string Decimal(int value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", value);
    return std::u16string(digits, digits + std::char_traits<char>::length(digits));
}

std::u16string TwoDigits(int value) {
    std::u16string text;
    if (value < 10) text = u"0";
    text += Decimal(value);
    return text;
}

// The word of index `i` in `words`, or nothing for an index without one.
template <std::size_t N>
const char16_t* WordOf(const char16_t* const (&words)[N], int i) {
    return i >= 0 && static_cast<std::size_t>(i) < N ? words[i] : u"";
}

const char16_t* const kVideoTypes[] = {u"  ASF", u"  WMV", u"  AVI"};
const char16_t* const kVideoBitrates[] = {u"  100Kbps", u"  256Kbps", u"  384Kbps", u"  768Kbps"};
// Type 1 writes AVI files; it gets the word the video text uses for them
// rather than none at all.
const char16_t* const kAudioTypes[] = {u"  WMA", u"  AVI", u"  WAV"};
const char16_t* const kAudioBitrates[] = {u"  40Kbps", u"  64Kbps", u"  96Kbps", u"  128Kbps"};
const char16_t* const kImageTypes[] = {u"  BMP", u"  JPG", u"  GIF", u"  PNG", u"  TIFF"};
const char16_t* const kJpegQualities[] = {u"  Good", u"  Fine", u"  Normal"};

constexpr int kVideoTypeAvi = 2;
constexpr int kAudioTypeWav = 2;
constexpr int kImageTypeJpeg = 1;

std::u16string Size(int width, int height) { return Decimal(width) + u"x" + Decimal(height); }

void AppendTime(std::u16string& line, const std::u16string& time) {
    if (!time.empty()) line += u"  " + time;
}

}  // namespace

std::u16string FormatTime(int seconds) {
    if (seconds < 0) return {};
    return Decimal((seconds / 3600) % 60) + u":" + TwoDigits((seconds / 60) % 60) + u":" + TwoDigits(seconds % 60);
}

std::u16string FileNameOfPath(const std::u16string& path) {
    const std::size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(slash + 1);
}

OverlayText ComposeOverlayText(int mode, const OverlaySettings& s, const std::u16string& time,
                               const std::u16string& file, const std::u16string& sensitivityLabel) {
    OverlayText text;
    std::u16string& line = text.line;
    switch (mode) {
    case kOverlayVideo:
    case kOverlayVideoOnly:
        line = Size(s.videoWidth, s.videoHeight) + WordOf(kVideoTypes, s.videoFileType);
        if (s.videoFileType != kVideoTypeAvi) line += WordOf(kVideoBitrates, s.asfQuality);
        AppendTime(line, time);
        break;
    case kOverlayAudio:
        line = WordOf(kAudioTypes, s.audioFileType);
        if (s.audioFileType != kAudioTypeWav) line += WordOf(kAudioBitrates, s.wmaQuality);
        AppendTime(line, time);
        break;
    case kOverlayImage:
        line = Size(s.imageWidth, s.imageHeight) + WordOf(kImageTypes, s.imageFileType);
        if (s.imageFileType == kImageTypeJpeg) line += WordOf(kJpegQualities, s.jpgQuality);
        break;
    case kOverlayBrowse:
        AppendTime(line, time);
        text.fileName = FileNameOfPath(file);
        break;
    case kOverlayMonitor:
        line = Size(s.imageWidth, s.imageHeight) + u"  " + sensitivityLabel + u": " + Decimal(11 - s.sensitivity);
        break;
    default: break;
    }
    return text;
}

int OverlayIconMask(int mode) {
    switch (mode) {
    case kOverlayVideo:
    case kOverlayVideoOnly: return kIconBitShootMode | kIconBitTimer;
    case kOverlayAudio: return kIconBitTimer;
    case kOverlayImage: return kIconBitShootMode | kIconBitTimer | kIconBitContShooting | kIconBitFlash;
    case kOverlayBrowse: return kIconBitPenSize | kIconBitPenColour | kIconBitPenType;
    default: return 0;
    }
}

const char* OverlayIconPicture(OverlayIcon icon) {
    switch (icon) {
    case OverlayIcon::ShootMode: return "Sts_ShootMode.png";
    case OverlayIcon::Timer: return "Sts_Timer.png";
    case OverlayIcon::ContShooting: return "Sts_ContShoot.png";
    case OverlayIcon::PenSize: return "Sts_PenSize.png";
    case OverlayIcon::PenColour: return "Sts_PenColor.png";
    case OverlayIcon::PenType: return "Sts_PenType.png";
    case OverlayIcon::Flash: return "Sts_Flash.png";
    }
    return "";
}

int OverlayIconCellCount(OverlayIcon icon) {
    switch (icon) {
    case OverlayIcon::ShootMode: return 7;
    case OverlayIcon::Timer: return 3;
    case OverlayIcon::ContShooting: return 5;
    case OverlayIcon::PenSize: return 4;
    case OverlayIcon::PenColour: return 1;
    case OverlayIcon::PenType: return 2;
    case OverlayIcon::Flash: return 2;
    }
    return 0;
}

std::vector<OverlayIconCell> SelectOverlayIcons(int mode, const OverlaySettings& s) {
    struct Candidate {
        int bit;
        OverlayIcon icon;
        int cell;
        bool shown;
    };
    const Candidate candidates[] = {
        {kIconBitShootMode, OverlayIcon::ShootMode, s.shootMode, true},
        {kIconBitTimer, OverlayIcon::Timer, s.timer, s.timer != 2},
        {kIconBitContShooting, OverlayIcon::ContShooting, s.contShooting, s.contShooting != 4},
        {kIconBitPenSize, OverlayIcon::PenSize, s.penSize, true},
        {kIconBitPenColour, OverlayIcon::PenColour, 0, true},
        {kIconBitPenType, OverlayIcon::PenType, s.penType, true},
        {kIconBitFlash, OverlayIcon::Flash, s.flash, s.flash != 1},
    };
    const int mask = OverlayIconMask(mode);
    std::vector<OverlayIconCell> icons;
    for (const Candidate& c : candidates) {
        if (!(mask & c.bit) || !c.shown) continue;
        if (c.cell < 0 || c.cell >= OverlayIconCellCount(c.icon)) continue;
        icons.push_back({c.icon, c.cell});
    }
    return icons;
}

int OverlayIconX(int left, int right, int count, int index) {
    return right - kOverlayIconPitch * count - left + 1 + kOverlayIconPitch * index;
}

int RecolourPenRow(uint32_t* row, int width, Colour pen) {
    const uint32_t key = (static_cast<uint32_t>(RedOf(kPenKeyColour)) << 16) |
                         (static_cast<uint32_t>(GreenOf(kPenKeyColour)) << 8) | BlueOf(kPenKeyColour);
    const uint32_t opaquePen = 0xFF000000u | (static_cast<uint32_t>(RedOf(pen)) << 16) |
                               (static_cast<uint32_t>(GreenOf(pen)) << 8) | BlueOf(pen);
    int changed = 0;
    for (int x = 0; x < width; ++x) {
        if ((row[x] & 0x00FFFFFFu) == key) {
            row[x] = opaquePen;
            ++changed;
        }
    }
    return changed;
}

int RecolourPenPlane(uint32_t* pixels, int width, int height, std::ptrdiff_t strideWords, Colour pen) {
    if (!pixels || width <= 0 || height <= 0) return 0;
    int changed = 0;
    for (int y = 0; y < height; ++y) changed += RecolourPenRow(pixels + y * strideWords, width, pen);
    return changed;
}

}  // namespace vimbrel::ui
