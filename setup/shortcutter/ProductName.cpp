#include "ProductName.h"

#include <msiquery.h>

namespace shortcutter {

bool ReadProductName(MSIHANDLE install, std::string* name) {
    char buffer[kProductNameChars] = {};
    DWORD chars = kProductNameChars;
    if (MsiGetPropertyA(install, "CustomActionData", buffer, &chars) != ERROR_SUCCESS) {
        return false;
    }
    name->assign(buffer, chars < kProductNameChars ? chars : kProductNameChars - 1);
    return true;
}

}  // namespace shortcutter
