#include "GlossaLibrary.h"

namespace vimbrel::texts::test {

CGlossaLibrary::CGlossaLibrary() : module_(LoadLibraryW(L"glossa.dll")) {
    if (module_ == nullptr) return;
    setPath_ = reinterpret_cast<SetPathFn>(reinterpret_cast<void*>(GetProcAddress(module_, "SetPath")));
    getString_ = reinterpret_cast<GetStringFn>(reinterpret_cast<void*>(GetProcAddress(module_, "GetString")));
}

CGlossaLibrary::~CGlossaLibrary() {
    if (module_ != nullptr) FreeLibrary(module_);
}

}  // namespace vimbrel::texts::test
