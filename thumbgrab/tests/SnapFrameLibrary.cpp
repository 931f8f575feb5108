#include "SnapFrameLibrary.h"

namespace snapframetest {

CSnapFrameLibrary::CSnapFrameLibrary() : module_(LoadLibraryW(L"snapframe.dll")) {
    if (module_ != nullptr) {
        snapFrame_ = reinterpret_cast<SnapFrameFn>(reinterpret_cast<void*>(GetProcAddress(module_, "SnapFrame")));
    }
}

CSnapFrameLibrary::~CSnapFrameLibrary() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

}  // namespace snapframetest
