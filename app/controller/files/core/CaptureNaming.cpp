#include "CaptureNaming.h"

#include <array>
#include <climits>

namespace vimbrel::controller {

namespace {

constexpr std::array<std::u16string_view, kMediaKindCount> kFolderLeaves = {u"Image", u"Video", u"Audio", u"Monitor"};
constexpr std::array<std::u16string_view, kMediaKindCount> kKindWords = {u"image", u"video", u"audio", u"monitor"};
constexpr std::array<std::u16string_view, 5> kImageExtensions = {u"bmp", u"jpg", u"gif", u"png", u"tiff"};
constexpr std::array<std::u16string_view, 3> kVideoExtensions = {u"asf", u"wmv", u"avi"};
constexpr std::array<std::u16string_view, 3> kAudioExtensions = {u"wma", u"avi", u"wav"};

template <std::size_t N>
std::u16string_view Pick(const std::array<std::u16string_view, N>& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return {};
    return table[static_cast<std::size_t>(index)];
}

char16_t FoldAsciiCase(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

// Digits of value, at least width of them with leading zeros.
void AppendDecimal(std::u16string& out, long long value, int width) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    while (static_cast<int>(digits.size()) < width) digits.insert(digits.begin(), u'0');
    out += digits;
}

}  // namespace

std::u16string_view MediaFolderLeaf(int kind) { return IsMediaKind(kind) ? kFolderLeaves[kind] : u""; }

std::u16string MediaFolderPath(std::u16string_view dataRoot, int kind) {
    if (!IsMediaKind(kind)) return {};
    std::u16string path(dataRoot);
    path += u"\\Vimbrel\\";
    path += kFolderLeaves[kind];
    return path;
}

std::u16string_view CaptureKindWord(int kind) { return IsMediaKind(kind) ? kKindWords[kind] : u""; }

std::u16string_view CaptureExtension(int kind, const CaptureFileTypes& types) {
    switch (kind) {
    case kMediaImage:
    case kMediaMonitor: return Pick(kImageExtensions, types.imageFileType);
    case kMediaVideo: return Pick(kVideoExtensions, types.videoFileType);
    case kMediaAudio: return Pick(kAudioExtensions, types.audioFileType);
    default: return {};
    }
}

std::u16string CaptureDate(const LocalTime& date) {
    std::u16string text;
    AppendDecimal(text, date.year < 0 ? 0 : date.year, 1);
    AppendDecimal(text, date.month < 0 ? 0 : date.month, 2);
    AppendDecimal(text, date.day < 0 ? 0 : date.day, 2);
    return text;
}

std::u16string CapturePrefix(int kind, const LocalTime& date) {
    if (!IsMediaKind(kind)) return {};
    return std::u16string(kKindWords[kind]) + CaptureDate(date);
}

int CounterAfterPrefix(std::u16string_view name, std::u16string_view prefix) {
    if (name.size() < prefix.size()) return -1;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (FoldAsciiCase(name[i]) != FoldAsciiCase(prefix[i])) return -1;
    }
    long long value = 0;
    for (std::size_t i = prefix.size(); i < name.size() && name[i] >= u'0' && name[i] <= u'9'; ++i) {
        value = value * 10 + (name[i] - u'0');
        if (value > INT_MAX) value = INT_MAX;
    }
    return static_cast<int>(value);
}

int HighestCounter(const std::vector<std::u16string>& names, std::u16string_view prefix) {
    int highest = 0;
    for (const std::u16string& name : names) {
        int counter = CounterAfterPrefix(name, prefix);
        if (counter > highest) highest = counter;
    }
    return highest;
}

std::optional<std::u16string> MakeCaptureName(std::u16string_view folder, int kind, const LocalTime& date,
                                              const CaptureFileTypes& types,
                                              const std::vector<std::u16string>& folderNames,
                                              const FileExists& exists) {
    std::u16string_view extension = CaptureExtension(kind, types);
    if (folder.empty() || extension.empty()) return std::nullopt;

    std::u16string prefix = CapturePrefix(kind, date);
    int highest = HighestCounter(folderNames, prefix);
    if (highest >= kHighestCaptureCounter) return std::nullopt;
    for (int counter = highest + 1; counter <= kHighestCaptureCounter; ++counter) {
        std::u16string name(folder);
        name += u'\\';
        name += prefix;
        AppendDecimal(name, counter, 4);
        name += u'.';
        name += extension;
        if (!FitsBuffer(name, kCaptureNameCapacity)) return std::nullopt;
        if (!exists(name)) return name;
    }
    return std::nullopt;
}

}  // namespace vimbrel::controller
