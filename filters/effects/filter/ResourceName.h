// A resource name or type as the resource calls take it: a string, or a
// number passed in the pointer (MAKEINTRESOURCE), kept as either.
#pragma once

#include <windows.h>

#include <string>

namespace lenstint {

class CResourceName {
public:
    void Set(const WCHAR* name) {
        isNumber_ = name != nullptr && IS_INTRESOURCE(name);
        number_ = isNumber_ ? static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)) : 0;
        text_ = (name != nullptr && !isNumber_) ? name : L"";
        isNull_ = name == nullptr;
    }
    const WCHAR* Get() const {
        if (isNull_) return nullptr;
        return isNumber_ ? MAKEINTRESOURCEW(number_) : text_.c_str();
    }

private:
    bool isNull_ = true;
    bool isNumber_ = false;
    WORD number_ = 0;
    std::wstring text_;
};

}  // namespace lenstint
