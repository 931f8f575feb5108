#include "FilePaths.h"

#include <climits>

namespace vimbrel::controller {

namespace {

// The digits of text as a number, or nullopt unless text is all digits.
// Saturates at INT_MAX, so a long run of digits cannot overflow.
std::optional<int> AllDigitsNumber(std::u16string_view text) {
    if (text.empty()) return std::nullopt;
    long long value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > INT_MAX) value = INT_MAX;
    }
    return static_cast<int>(value);
}

std::u16string DecimalText(int value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    return digits;
}

}  // namespace

std::optional<std::u16string> FileNamePart(std::u16string_view path) {
    std::size_t slash = path.rfind(u'\\');
    if (slash == std::u16string_view::npos || slash + 1 == path.size()) return std::nullopt;
    return std::u16string(path.substr(slash + 1));
}

std::optional<std::u16string> NextFreeCopyName(std::u16string_view path, const FileExists& exists) {
    if (path.empty()) return std::nullopt;

    // A bare file name has no folder: its copy goes beside it (a leading
    // backslash would put it at the root of the current drive instead).
    std::size_t slash = path.rfind(u'\\');
    std::u16string_view folder;
    std::u16string_view fileName = path;
    if (slash != std::u16string_view::npos) {
        folder = path.substr(0, slash);
        fileName = path.substr(slash + 1);
    }

    std::size_t firstDot = fileName.find(u'.');
    std::u16string_view name = fileName.substr(0, firstDot);
    std::u16string_view extension;
    if (firstDot != std::u16string_view::npos) {
        std::u16string_view rest = fileName.substr(firstDot + 1);
        extension = rest.substr(0, rest.find(u'.'));
    }

    int counter = 2;
    std::size_t underscore = name.rfind(u'_');
    if (underscore != std::u16string_view::npos) {
        std::optional<int> n = AllDigitsNumber(name.substr(underscore + 1));
        if (n && *n != 0 && *n < INT_MAX) {
            name = name.substr(0, underscore);
            counter = *n + 1;
        }
    }

    std::u16string stem;
    if (slash != std::u16string_view::npos) {
        stem.assign(folder);
        stem += u'\\';
    }
    stem += name;
    stem += u'_';

    for (;; ++counter) {
        std::u16string candidate = stem + DecimalText(counter);
        // No extension, no dot: Windows drops a trailing dot anyway.
        if (!extension.empty()) {
            candidate += u'.';
            candidate += extension;
        }
        if (!FitsBuffer(candidate, kPathCapacity)) return std::nullopt;
        if (!exists(candidate)) return candidate;
        if (counter == INT_MAX) return std::nullopt;
    }
}

}  // namespace vimbrel::controller
