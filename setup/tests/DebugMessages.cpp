#include "DebugMessages.h"

#include <windows.h>

#include <cstring>
#include <mutex>

namespace shortcuttertest {

namespace {

constexpr DWORD kDebugPrint = 0x40010006;  // DBG_PRINTEXCEPTION_C

std::mutex g_lock;
std::vector<std::string> g_texts;

LONG CALLBACK Collect(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    if (record->ExceptionCode == kDebugPrint && record->NumberParameters >= 2) {
        const size_t length = static_cast<size_t>(record->ExceptionInformation[0]);
        const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        if (text != nullptr) {
            std::lock_guard<std::mutex> hold(g_lock);
            g_texts.emplace_back(text, strnlen(text, length));
        }
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

CDebugMessages::CDebugMessages() {
    {
        std::lock_guard<std::mutex> hold(g_lock);
        g_texts.clear();
    }
    handler_ = AddVectoredExceptionHandler(1, &Collect);
}

CDebugMessages::~CDebugMessages() {
    if (handler_ != nullptr) {
        RemoveVectoredExceptionHandler(handler_);
    }
}

std::vector<std::string> CDebugMessages::Texts() const {
    std::lock_guard<std::mutex> hold(g_lock);
    return g_texts;
}

}  // namespace shortcuttertest
