// Feeds arbitrary UTF-16 names through the name readers and builders: the
// day's counter, the copy name and the file class must neither read past
// their input nor produce a name longer than its buffer.
#include "CaptureNaming.h"
#include "FilePaths.h"
#include "MediaFileClass.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace vimbrel::controller;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    // Names separated by '|' form a folder listing.
    std::vector<std::u16string> names;
    std::size_t start = 0;
    for (std::size_t bar = text.find(u'|'); bar != std::u16string::npos; bar = text.find(u'|', start)) {
        names.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    names.push_back(text.substr(start));

    const std::u16string prefix = u"image20260704";
    for (const std::u16string& name : names) {
        int counter = CounterAfterPrefix(name, prefix);
        if (counter < -1) std::abort();
        int fileClass = GetMediaFileClass(name);
        if (fileClass < -1 || fileClass > 9) std::abort();
        // Every other candidate is taken, so the counter loop runs a while.
        int asked = 0;
        auto copy = NextFreeCopyName(name, [&asked](const std::u16string&) { return ++asked < 50; });
        if (copy && !FitsBuffer(*copy, kPathCapacity)) std::abort();
        auto part = FileNamePart(name);
        if (part && part->size() >= name.size()) std::abort();
    }

    int highest = HighestCounter(names, prefix);
    auto capture = MakeCaptureName(names.front(), kMediaImage, LocalTime{2026, 7, 4, 0, 0}, CaptureFileTypes{1, 0, 0},
                                   names, [](const std::u16string&) { return false; });
    if (capture && (!FitsBuffer(*capture, kCaptureNameCapacity) || highest >= kHighestCaptureCounter)) std::abort();
    return 0;
}
