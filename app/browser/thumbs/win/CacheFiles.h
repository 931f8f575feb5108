// Where a cache keeps its two files and how they are read and written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vimbrel::browser {

// The data root: on Windows above major version 5 the common application
// data folder + "\Zavu\Vimbrel2" (made when missing), else the program's
// folder. Empty when it cannot be found or made.
std::wstring CacheDataRoot();

// root + "\config%i.cfg" and root + "\tmp%i.img"; empty when the path
// would not fit MAX_PATH.
std::wstring IndexFilePath(const std::wstring& root, int mediaKind);
std::wstring StripFilePath(const std::wstring& root, int mediaKind);

// folder + "\" + name; empty when it would not fit MAX_PATH.
std::wstring JoinFolderName(const std::wstring& folder, const std::u16string& name);

// The whole file, or false when it cannot be opened or read, is larger
// than maxBytes or finds no memory to go into: a refusal, never a throw.
// Pictures and the strip are read through memory so that GDI+ keeps no file
// of the folder open (it would block deleting it).
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes, uint64_t maxBytes) noexcept;
constexpr uint64_t kMaxIndexBytes = 64u << 20;  // far above any real folder's index
// A thumbnail is read whole before it is shrunk to one cell. This is far
// above any camera picture (a 20-megapixel bitmap uncompressed still fits)
// and far below what the 32-bit process can still find in one piece once
// it has run a while; a larger file gets no thumbnail.
constexpr uint64_t kMaxPictureBytes = 64u << 20;
// Creates the file anew with the hidden attribute and writes the bytes.
bool WriteIndexFile(const std::wstring& path, const std::vector<uint8_t>& bytes);

// A file's size and last write time: what tells that its content changed.
struct FileStamp {
    uint64_t size = 0;
    uint64_t writeTime = 0;
    bool operator==(const FileStamp& other) const { return size == other.size && writeTime == other.writeTime; }
};
// False when the file's attributes cannot be read.
bool ReadFileStamp(const std::wstring& path, FileStamp& stamp);

// The names of the plain files in a folder (no subfolders), as listed.
std::vector<std::u16string> ListFolderFiles(const std::wstring& folder);

// The folder of the running program, without a trailing backslash.
std::wstring ProgramFolder();

}  // namespace vimbrel::browser
