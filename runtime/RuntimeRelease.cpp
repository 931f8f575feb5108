// The C++ runtime is linked statically into each of our DLLs, and with it
// the emergency pool that lets an exception be thrown when memory has run
// out. The runtime allocates that pool (about 19 KB in a 32-bit process) from
// the process heap as the DLL starts and never frees it, since it expects to
// live until the process ends. A DLL that is loaded and freed again and again
// (the thumbnail grabber each time a cache with videos closes, COM servers
// whenever the system unloads them) would leak a pool every time.
//
// The runtime offers one call that frees the pool, for leak checkers; this
// object makes it on unload. Constructed before every other static object of
// the DLL, it is destroyed after all of them, when no code of the DLL can
// throw any more.

namespace __gnu_cxx {
void __freeres();
}

namespace vimbrel::runtime {
namespace {

class CReleaseAtUnload {
public:
    CReleaseAtUnload() = default;
    CReleaseAtUnload(const CReleaseAtUnload&) = delete;
    CReleaseAtUnload& operator=(const CReleaseAtUnload&) = delete;
    ~CReleaseAtUnload() { __gnu_cxx::__freeres(); }
};

__attribute__((init_priority(101))) CReleaseAtUnload releaseAtUnload;

}  // namespace
}  // namespace vimbrel::runtime
