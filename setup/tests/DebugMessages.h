// Collects the texts this process gives OutputDebugStringA while it lives:
// the call raises a debug-print exception that a debugger would show, and a
// vectored handler sees it first and lets it pass on.
#pragma once

#include <string>
#include <vector>

namespace shortcuttertest {

class CDebugMessages {
public:
    CDebugMessages();
    ~CDebugMessages();
    CDebugMessages(const CDebugMessages&) = delete;
    CDebugMessages& operator=(const CDebugMessages&) = delete;

    std::vector<std::string> Texts() const;

private:
    void* handler_;
};

}  // namespace shortcuttertest
