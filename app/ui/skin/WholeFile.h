// Reads a whole file into memory under a size cap. Pictures are decoded from
// memory (DecodeSkinImage) so that GDI+ keeps no file open: the main program
// deletes and renames the files a browser or a slide show is showing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vimbrel::ui {

// The whole file, or false when it cannot be opened or read, is larger
// than maxBytes or finds no memory to go into: a refusal, never a throw.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t maxBytes) noexcept;

// A picture is read whole before it is decoded. This is far above any
// camera picture (a 20-megapixel bitmap uncompressed still fits) and far
// below what the 32-bit process can still find in one piece once it has run
// a while; a larger file is not shown.
constexpr uint64_t kMaxPictureBytes = 64u << 20;

}  // namespace vimbrel::ui
