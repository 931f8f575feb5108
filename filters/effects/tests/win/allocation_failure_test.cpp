// Allocation failures inside COM methods: this program replaces operator new
// with one that throws std::bad_alloc after a chosen number of allocations,
// and every method that allocates must then answer E_OUTOFMEMORY (or succeed
// when the failure came after its last allocation) with nothing thrown out
// of it and nothing half-made handed back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>

#include "CEffectFilter.h"
#include "dshowbase/ClassFactory.h"
#include "GraphFixture.h"
#include "TestFilters.h"

namespace {
// Allocations still allowed before the next one fails; negative: no limit.
long g_allocationsLeft = -1;
}  // namespace

void* operator new(std::size_t size) {
    if (g_allocationsLeft == 0) throw std::bad_alloc();
    if (g_allocationsLeft > 0) --g_allocationsLeft;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using basetest::ComTest;
using basetest::PinOf;
using Microsoft::WRL::ComPtr;

// Runs the call with the first, second, ... allocation failing until it
// gets through without a failure; each answer must be `done` or
// E_OUTOFMEMORY and is checked further by `check`. Returns how many answers
// were E_OUTOFMEMORY.
int FailEachAllocation(const std::function<HRESULT()>& call, const std::function<void(HRESULT)>& check,
                       HRESULT done = S_OK) {
    int refusals = 0;
    for (long allowed = 0; allowed < 1000; ++allowed) {
        g_allocationsLeft = allowed;
        HRESULT hr = E_FAIL;
        bool threw = false;
        try {
            hr = call();
        } catch (...) {
            threw = true;
        }
        const bool failed = g_allocationsLeft == 0;
        g_allocationsLeft = -1;
        EXPECT_FALSE(threw) << "after " << allowed << " allocations";
        EXPECT_TRUE(hr == done || hr == E_OUTOFMEMORY) << std::hex << hr << " after " << allowed;
        check(hr);
        if (hr == E_OUTOFMEMORY) ++refusals;
        if (!failed && !threw) break;  // no allocation failed: the call got through
    }
    return refusals;
}

// The same for a call that hands back an object: one only with S_OK, and
// a null in the caller's place otherwise (it starts out as garbage).
template <class Object>
int FailEachAllocationFor(Object** out, const std::function<HRESULT()>& call) {
    const auto withGarbage = [&] {
        *out = reinterpret_cast<Object*>(1);
        return call();
    };
    return FailEachAllocation(withGarbage, [out](HRESULT hr) {
        ASSERT_EQ(hr == S_OK, *out != nullptr);
        if (*out) (*out)->Release();
        *out = nullptr;
    });
}

class AllocationFailure : public ComTest {};

TEST_F(AllocationFailure, EnumeratorsAnswerOutOfMemoryAndHandBackNothing) {
    ComPtr<IBaseFilter> source(new basetest::CTestSource(64, 48));
    ComPtr<IPin> out = PinOf(source.Get(), L"Out");
    ASSERT_TRUE(out);
    ComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(S_OK, out->EnumMediaTypes(&types));
    ComPtr<IEnumPins> all;
    ASSERT_EQ(S_OK, source->EnumPins(&all));

    IEnumPins* pins = nullptr;
    IEnumMediaTypes* typesCopy = nullptr;
    EXPECT_GE(FailEachAllocationFor(&pins, [&] { return source->EnumPins(&pins); }), 1);
    EXPECT_GE(FailEachAllocationFor(&pins, [&] { return all->Clone(&pins); }), 1);
    EXPECT_GE(FailEachAllocationFor(&typesCopy, [&] { return out->EnumMediaTypes(&typesCopy); }), 1);
    EXPECT_GE(FailEachAllocationFor(&typesCopy, [&] { return types->Clone(&typesCopy); }), 1);
}

// The effects filter's settings calls that keep or draw text.
TEST_F(AllocationFailure, EffectTextAndFrameCallsAnswerInsteadOfThrowing) {
    HRESULT created = S_OK;
    dshowbase::CUnknown* object = dshowbase::CreateNew<lenstint::CEffectFilter>(&created);
    ASSERT_NE(nullptr, object);
    ComPtr<IVideoEffect> effect;
    ASSERT_EQ(S_OK,
              object->NonDelegatingQueryInterface(IID_IVideoEffect, reinterpret_cast<void**>(effect.GetAddressOf())));
    const wchar_t* text = L"A caption long enough to need the heap for every copy of it";
    const auto any = [](HRESULT) {};
    FailEachAllocation([&] { return effect->SetText(text, 2, 255, 255, 255, L"Arial"); }, any);
    FailEachAllocation([&] { return effect->SetStampText(text, 4, 4, L"Arial", 12, 0, 0, 0, 160, 20, 0); }, any);
    FailEachAllocation([&] { return effect->LoadFrameImage(L"C:\\no-such-frame.png", 0, 0, 0, nullptr, nullptr); }, any,
                       E_FAIL);
}

}  // namespace
