#pragma once
// The photo frames and stamps as RGBA pictures, decoded by GDI+ (which the
// caller has started), and the files the strips are written to and read from.

#include <cstdint>
#include <string>
#include <vector>

#include "PopupThumbs.h"

namespace vimbrel::thumbs {

// folder\<name>1.png .. <name>15.png in order (name "frame" or "stamp"); a
// picture that cannot be read is an empty picture and is named in `missing`.
std::vector<RgbaPicture> LoadPhotoPictures(const std::wstring& folder, const wchar_t* name,
                                           std::vector<std::wstring>& missing);

bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes);
bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);

}  // namespace vimbrel::thumbs
