#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace vimbrel::texts {

// One value of a profile file, read the way GetPrivateProfileStringW reads
// it into a buffer of `capacity` characters: at most capacity - 1
// characters, and an empty string for a missing section or key.
class IProfileReader {
public:
    virtual ~IProfileReader() = default;
    virtual std::u16string ReadString(std::u16string_view section, std::u16string_view key,
                                      std::size_t capacity) const = 0;
};

}  // namespace vimbrel::texts
