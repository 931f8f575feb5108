// PIN_INFO and FILTER_INFO as QueryPinInfo and QueryFilterInfo fill them.
// Each carries one AddRef'd pointer the caller must release (the pin's
// filter, the filter's graph); these owners release it when they go or are
// filled again.
#pragma once

#include <dshow.h>

#include <cwchar>
#include <iterator>
#include <string>

namespace dshowbase {

template <typename Info, typename Held, Held* Info::*held>
class CQueriedInfo {
public:
    CQueriedInfo() = default;
    ~CQueriedInfo() { Reset(); }
    CQueriedInfo(const CQueriedInfo&) = delete;
    CQueriedInfo& operator=(const CQueriedInfo&) = delete;

    // For the query call: whatever was held is released first.
    Info* put() {
        Reset();
        return &info_;
    }
    const Info* operator->() const { return &info_; }

    // The name up to its terminator or the end of the field: a peer that
    // fills all of it leaves none.
    std::wstring Name() const { return std::wstring(info_.achName, wcsnlen(info_.achName, std::size(info_.achName))); }

private:
    void Reset() {
        if (info_.*held != nullptr) (info_.*held)->Release();
        info_ = Info{};
    }

    Info info_{};
};

using CPinInfo = CQueriedInfo<PIN_INFO, IBaseFilter, &PIN_INFO::pFilter>;
using CFilterInfo = CQueriedInfo<FILTER_INFO, IFilterGraph, &FILTER_INFO::pGraph>;

}  // namespace dshowbase
