#include "GlossaLibrary.h"

namespace vimbrel::texts::test {

CGlossaLibrary::CGlossaLibrary() : m_module(LoadLibraryW(L"glossa.dll")) {
    if (m_module == nullptr) return;
    m_setPath = reinterpret_cast<SetPathFn>(reinterpret_cast<void*>(GetProcAddress(m_module, "SetPath")));
    m_getString =
        reinterpret_cast<GetStringFn>(reinterpret_cast<void*>(GetProcAddress(m_module, "GetString")));
}

CGlossaLibrary::~CGlossaLibrary() {
    if (m_module != nullptr) FreeLibrary(m_module);
}

}  // namespace vimbrel::texts::test
