#pragma once
// The camera module of the chosen camera: the plug-in library CamDev.ini
// names for the camera's model, bound by its seven exports. Controls that
// DirectShow does not carry (the rotation status above all) are read
// through it.
//
// The rotation poll reads the module from its own thread while the
// user-interface thread may bind another one. Calls into one loaded module
// take turns at a gate of its own, and a library is freed only through
// that gate, so no call runs in a library that is being freed. No lock is
// held across a module call that others would wait for without a bound: a
// module stuck in a call is left loaded and given up after a short wait,
// and a camera change or the program's end goes on without it.

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "ModuleHost.h"

namespace vimbrel::controller {

// The board family whose cameras must never get a module.
inline constexpr char16_t kModuleFreeBoardFragment[] = u"K4";
inline constexpr char16_t kCamDevSection[] = u"Camera Module";
inline constexpr std::size_t kModulePathCapacity = 260;
// How long a call waits for another one still inside the module.
inline constexpr std::chrono::milliseconds kModuleCallWait{500};

class CCameraModule {
public:
    explicit CCameraModule(IModuleHost& host) : host_(host) {}
    virtual ~CCameraModule();
    CCameraModule(const CCameraModule&) = delete;
    CCameraModule& operator=(const CCameraModule&) = delete;

    // Binds the module of the camera with this friendly name, unbinding the
    // one before. 0 only when the program folder is unknown; otherwise 1,
    // whether or not a module was bound.
    int Bind(const char16_t* friendlyName);
    // Uninitialises and frees a bound module.
    void Unbind();

    // Without a camera key: 0 into out and 1. With a key but no library: 0.
    // Otherwise the module's answer, whose low byte is its truth.
    int GetCaps(int* mask);
    int Get(int control, int* value);

    bool IsBound() const;
    std::u16string DeviceKey() const;
    // The module folder as the last Bind found it: program folder + "\CamDev\".
    std::u16string ModuleFolder() const;

    // Whether the board's product name contains fragment, without regard to
    // case. The board is asked once; later questions use that answer.
    bool BoardProductContains(const char16_t* fragment) const;

private:
    using InitializeFn = int (*)();
    using UninitializeFn = int (*)();
    using GetCapsFn = int (*)(int*);
    using GetRangeFn = int (*)(int, int*, int*, int*, int*);
    using GetFn = int (*)(int, int*);
    using SetFn = int (*)(int, int);
    // The exported parameter is a wchar_t string, which is UTF-16 where
    // modules exist.
    using SetCameraDeviceFn = int (*)(const char16_t*);

    struct Exports {
        InitializeFn initialize = nullptr;
        UninitializeFn uninitialize = nullptr;
        GetCapsFn getCaps = nullptr;
        GetRangeFn getRange = nullptr;
        GetFn get = nullptr;
        SetFn set = nullptr;
        SetCameraDeviceFn setCameraDevice = nullptr;
    };
    // One loaded library: its exports and the gate its calls pass one at a
    // time. library is null once freed (read and written at the gate).
    struct Loaded {
        void* library = nullptr;
        Exports exports;
        bool initialized = false;
        std::timed_mutex calls;
    };

    bool Resolve(Loaded& module);
    // Uninitialises (when asked and initialised) and frees the library at
    // its gate; a module stuck in a call past the bound is left loaded.
    void Release(const std::shared_ptr<Loaded>& module, bool uninitialize);
    // Runs call with the bound module's exports at its gate. Without a
    // camera key: *out = 0 and 1; with no library, a stuck module or a
    // call that is missing: 0.
    template <typename Call>
    int CallBound(int* out, Call call);

    IModuleHost& host_;
    // Guards the fields below; never held across a call into a module.
    mutable std::mutex lock_;
    std::u16string deviceKey_;
    std::u16string moduleFolder_;
    std::shared_ptr<Loaded> loaded_;
    mutable std::optional<std::u16string> boardProduct_;
};

}  // namespace vimbrel::controller
