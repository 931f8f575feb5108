// The list of picture files the slide show plays, with its cursor.
//
// Names are bare file names (no folder): the player changes into the image
// folder once when it builds the list, and every later load opens a name
// relative to that directory. The cursor is "unset" after Reset and until the
// first move; while unset, "current" means the first name.
//
// The user-interface thread navigates while the worker thread plays, both
// moving the same cursor; one lock makes every operation atomic, so that a
// Free on one thread can never pull a name out from under a copy on the other.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace slideshow {

// A name buffer of the player holds 260 UTF-16 units with its terminator.
constexpr std::size_t kMaxNameUnits = 259;

struct FolderEntry {
    std::u16string name;
    bool isDirectory = false;
    bool isSystem = false;
};

// The outside world of Build: changing into a folder and listing it.
class IFolderLister {
public:
    virtual ~IFolderLister() = default;
    // Makes the folder the process's current directory; false when that fails.
    virtual bool Enter(const std::u16string& folder) = 0;
    // Every entry matching "*.*" in the order the file system gives them;
    // false (and nothing listed) when the folder cannot be read.
    virtual bool List(std::vector<FolderEntry>& entries) = 0;
};

class CSlideList {
public:
    CSlideList() = default;
    CSlideList(const CSlideList&) = delete;
    CSlideList& operator=(const CSlideList&) = delete;

    // Empties the list and unsets the cursor. Always 1.
    int Reset();
    // Adds a name at the end. 0 when the name is empty, longer than a name
    // buffer can carry, or memory runs out; the name is then left out.
    int Append(const std::u16string& name);
    // Enters the folder and appends every plain file in listing order
    // (directories, "." and "..", and system files are skipped). 0 when the
    // folder cannot be entered or nothing was appended, else 1.
    int Build(const std::u16string& folder, IFolderLister& lister);

    // Cursor moves; each copies the name it lands on into out.
    int First(std::u16string& out);     // 0 when empty
    int Last(std::u16string& out);      // 0 when empty
    int Next(std::u16string& out);      // unset cursor goes to the first; 0 at the end (cursor stays)
    int Previous(std::u16string& out);  // 0 at the first name, with an unset cursor, or when empty
    int Current(std::u16string& out);   // an unset cursor is first set to the first name; 0 when empty

    // hasPrevious: the cursor is not on the first name (true while it is
    // unset and the list is not empty); hasNext: the cursor is set and a name
    // follows it. 0 only for a null argument.
    int Neighbours(bool* hasPrevious, bool* hasNext);
    // The cursor's name and the two before it, for the film strip; names that
    // do not exist come back empty. 0 when the cursor is on the first name
    // (or the list is empty), else 1.
    int Window(std::u16string& current, std::u16string& previous, std::u16string& beforePrevious);

    int Count();
    // Descending order of the names by UTF-16 code units (case-sensitive),
    // so names built from the capture date and a counter put the newest
    // first. The cursor stays on the name it was on. Always 1.
    int Sort();
    // Deletes every name and unsets the cursor. Always 1.
    int Free();

private:
    static constexpr std::ptrdiff_t kUnset = -1;
    // Where "current" is: the cursor, or the first name while it is unset.
    std::size_t CurrentIndexLocked() const;

    std::mutex lock_;
    std::vector<std::u16string> names_;
    std::ptrdiff_t cursor_ = kUnset;
};

// The one list of the player process, shared by its two threads.
CSlideList& SharedSlideList();

}  // namespace slideshow
