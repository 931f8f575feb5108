// Registration of the classes the bench puts over the platform's own (file
// writer, media detector, WM ASF writer): registering points their class
// keys at this module; unregistering points them back at the platform's
// module instead of deleting them, so the prefix keeps a working class.
#pragma once

#include "dshowbase/ClassFactory.h"

namespace standins {

struct Replacement {
    const dshowbase::FactoryTemplate* entry;
    const wchar_t* platformModule;  // e.g. L"qcap.dll"
};

HRESULT RegisterReplacements(const Replacement* replacements, size_t count);
HRESULT RestorePlatformClasses(const Replacement* replacements, size_t count);

}  // namespace standins
