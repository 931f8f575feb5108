// COM for the length of one call on the calling thread. The thumbnail
// cache calls from short-lived worker threads that never initialise COM
// themselves, and COM may not be initialised from a library's entry point,
// so each call joins an apartment for itself and leaves it again. A thread
// that already lives in the multithreaded apartment keeps it.
#pragma once

#include <objbase.h>

namespace snapframe {

class CComApartment {
public:
    CComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComApartment() {
        // S_OK and S_FALSE both count one more use of COM on this thread.
        if (SUCCEEDED(hr_)) {
            CoUninitialize();
        }
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

    // RPC_E_CHANGED_MODE: the thread is in the multithreaded apartment,
    // where COM works just as well.
    bool Usable() const { return SUCCEEDED(hr_) || hr_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT hr_;
};

}  // namespace snapframe
