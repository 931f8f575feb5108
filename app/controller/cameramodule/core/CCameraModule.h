#pragma once
// The camera module of the chosen camera: the plug-in library CamDev.ini
// names for the camera's model, bound by its seven exports. Controls that
// DirectShow does not carry (the rotation status above all) are read
// through it.
//
// The rotation poll reads the module from its own thread while the
// user-interface thread may bind another one, so every call into the
// module, and the loading and freeing of it, happen under one lock: the
// poll never calls a library that is being freed.

#include <mutex>
#include <string>

#include "ModuleHost.h"

namespace vimbrel::controller {

// The board family whose cameras must never get a module.
inline constexpr char16_t kModuleFreeBoardFragment[] = u"K4";
inline constexpr char16_t kCamDevSection[] = u"Camera Module";
inline constexpr std::size_t kModulePathCapacity = 260;

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

    // Under lock_.
    void FreeLoadedLocked(bool uninitialize);
    bool ResolveLocked();
    void ForgetLocked();

    IModuleHost& host_;
    mutable std::mutex lock_;
    std::u16string deviceKey_;
    std::u16string moduleFolder_;
    void* library_ = nullptr;
    Exports exports_;
    bool initialized_ = false;
};

}  // namespace vimbrel::controller
