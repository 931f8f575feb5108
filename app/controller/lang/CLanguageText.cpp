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

CLanguageText::~CLanguageText() {
    Unload();
}

int CLanguageText::Load(const wchar_t* libraryPath, const wchar_t* languageFilePath) {
    if (libraryPath == nullptr || languageFilePath == nullptr) return 0;
    Unload();
    m_module.reset(LoadLibraryW(libraryPath));
    if (!m_module) return 0;
    m_setPath = BindExport<SetPathFn>(m_module.get(), "SetPath");
    m_getString = BindExport<GetStringFn>(m_module.get(), "GetString");
    if (m_setPath == nullptr || m_getString == nullptr) return 0;
    return m_setPath(languageFilePath) == 1 ? 1 : 0;
}

std::wstring CLanguageText::GetString(const wchar_t* key) const {
    if (m_getString == nullptr || key == nullptr) return std::wstring();
    wchar_t text[kTextBufferChars] = {};
    if (m_getString(key, text) != 1) return std::wstring();
    text[kTextBufferChars - 1] = L'\0';
    return text;
}

void CLanguageText::Unload() {
    // The entries point into the library: they go with it, so a failed
    // reload cannot leave calls into a freed module.
    m_getString = nullptr;
    m_setPath = nullptr;
    m_module.reset();
}

CLanguageText& GetLanguageText() {
    static CLanguageText instance;
    return instance;
}

}  // namespace vimbrel::controller
