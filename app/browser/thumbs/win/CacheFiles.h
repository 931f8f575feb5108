// Where a cache keeps its two files and how they are read and written.
#pragma once

#include "WholeFile.h"

#include <windows.h>

#include <cstdint>
#include <optional>
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

// Pictures and the strip are read through memory so that GDI+ keeps no file
// of the folder open (it would block deleting it); see WholeFile.h.
using ui::kMaxPictureBytes;
using ui::ReadWholeFile;
constexpr uint64_t kMaxIndexBytes = 64u << 20;  // far above any real folder's index
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
// The same on a worker thread: given up, with nothing, as soon as `stop`
// (an event) is signalled, so that the thread ends promptly in a folder of
// tens of thousands of files.
std::optional<std::vector<std::u16string>> ListFolderFiles(const std::wstring& folder, HANDLE stop);

// The folder of the running program, without a trailing backslash.
std::wstring ProgramFolder();

}  // namespace vimbrel::browser
