// Any bytes as a language file: decoding and the lookup chain must neither
// crash nor read out of bounds, and a text never exceeds its buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "LanguageLookup.h"
#include "ProfileText.h"

using namespace vimbrel::texts;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CProfileText profile(DecodeProfileBytes(data, size));
    for (std::uint16_t language : {0x409, 0x407, 0xC04}) {
        auto text = LookupLanguageText(profile, language, u"IDS_TIP_CLOSE");
        if (text && (text->empty() || text->size() >= kTextCapacity)) std::abort();
    }
    if (profile.ReadString(u"Language", u"0x409", kSectionNameCapacity).size() >= kSectionNameCapacity) {
        std::abort();
    }
    return 0;
}
