// The file behind the bench's file writer. While the filter runs, the file
// stays open (emptied first in overwrite mode); outside a run, a write
// through the pin's IStream (a multiplexer or "WAV Dest" fixing its header
// after the writer already stopped) opens the file for just that call.
// One lock serialises the streaming thread, IStream callers and state
// changes.
#pragma once

#include "SinkFile.h"

#include <mutex>
#include <string>

namespace standins {

class CTargetFile {
public:
    HRESULT SetName(const wchar_t* name);
    std::wstring Name();
    void SetOverwrite(bool overwrite);
    bool Overwrite();

    // The start and end of a run.
    HRESULT Begin();
    void End();

    HRESULT WriteAt(uint64_t offset, const void* data, DWORD size);
    // Writes where the previous write ended (for samples without a time).
    HRESULT Append(const void* data, DWORD size);
    HRESULT ReadAt(uint64_t offset, void* data, DWORD size, DWORD* read);
    HRESULT Size(uint64_t* size);
    HRESULT SetSize(uint64_t size);
    HRESULT Flush();

private:
    // Runs action on the open file, opening it for this call when no run
    // holds it open.
    template <class Action>
    HRESULT WithFile(bool forWriting, Action action);

    std::mutex lock_;
    std::wstring name_;
    bool overwrite_ = false;
    CSinkFile file_;
    uint64_t appendAt_ = 0;
};

}  // namespace standins
