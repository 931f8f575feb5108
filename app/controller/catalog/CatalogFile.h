#pragma once
// The catalogue's trip through the file system: the resource bytes are
// written to a temporary file and read back from it.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace vimbrel::controller {

// The bytes of resource (name, type) of module; nullopt when missing or empty.
std::optional<std::string_view> FindResourceBytes(HMODULE module, const wchar_t* name, const wchar_t* type);

// Writes bytes to a new temporary file at path (replacing any old one).
bool WriteTemporaryFile(const std::wstring& path, std::string_view bytes);

// The whole content of path; nullopt when it cannot be read.
std::optional<std::string> ReadSmallFile(const std::wstring& path);

}  // namespace vimbrel::controller
