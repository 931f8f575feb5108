#pragma once
// Small path operations of the main program on UTF-16 text: the parts of a
// path and the name of a copy that does not overwrite anything. The caller
// hands in how to tell whether a file is there, so the rules can be checked
// without a disk.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vimbrel::controller {

// Path buffers of the program hold 260 UTF-16 units with the terminator;
// capture names for the engine hold 128.
constexpr std::size_t kPathCapacity = 260;
constexpr std::size_t kCaptureNameCapacity = 128;

// True when text plus its terminator fits a buffer of capacity units.
inline bool FitsBuffer(std::u16string_view text, std::size_t capacity) { return text.size() < capacity; }

// The text after the last backslash; nullopt when there is no backslash or
// nothing follows it.
std::optional<std::u16string> FileNamePart(std::u16string_view path);

using FileExists = std::function<bool(const std::u16string& path)>;

// A name for a copy of path that no file holds yet: "a.jpg" -> "a_2.jpg",
// "a_2.jpg" -> "a_3.jpg", "a_x.jpg" -> "a_x_2.jpg". The name is the file
// name up to its first ".", the extension the text between its first and
// second "."; the counter rises while exists() says the name is taken.
// nullopt for an empty path, or when no free name fits kPathCapacity.
std::optional<std::u16string> NextFreeCopyName(std::u16string_view path, const FileExists& exists);

}  // namespace vimbrel::controller
