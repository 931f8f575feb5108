#include "CLanguageText.h"

namespace vimbrel::controller {
namespace {

// glossa writes at most 253 characters and the terminator.
constexpr size_t kTextBufferChars = 254;

template <typename Fn>
Fn BindExport(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

CLanguageText::~CLanguageText() { Unload(); }

int CLanguageText::Load(const wchar_t* libraryPath, const wchar_t* languageFilePath) {
    if (libraryPath == nullptr || languageFilePath == nullptr) return 0;
    Unload();
    module_.reset(LoadLibraryW(libraryPath));
    if (!module_) return 0;
    setPath_ = BindExport<SetPathFn>(module_.get(), "SetPath");
    getString_ = BindExport<GetStringFn>(module_.get(), "GetString");
    if (setPath_ == nullptr || getString_ == nullptr) return 0;
    return setPath_(languageFilePath) == 1 ? 1 : 0;
}

std::wstring CLanguageText::GetString(const wchar_t* key) const {
    if (getString_ == nullptr || key == nullptr) return std::wstring();
    wchar_t text[kTextBufferChars] = {};
    if (getString_(key, text) != 1) return std::wstring();
    text[kTextBufferChars - 1] = L'\0';
    return text;
}

void CLanguageText::Unload() {
    // The entries point into the library: they go with it, so a failed
    // reload cannot leave calls into a freed module.
    getString_ = nullptr;
    setPath_ = nullptr;
    module_.reset();
}

CLanguageText& GetLanguageText() {
    static CLanguageText instance;
    return instance;
}

}  // namespace vimbrel::controller
