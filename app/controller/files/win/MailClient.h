#pragma once
// The mail program behind Simple MAPI: whether the user's profile says one
// is set up, and its MAPISendMail. A test hands in its own.

#include "winowners/KernelOwners.h"

#include <windows.h>
#include <mapi.h>

namespace vimbrel::controller {

class IMailClient {
public:
    virtual ~IMailClient() = default;
    // The [MAIL] entry MAPI of the user's profile is set and not 0.
    virtual bool IsConfigured() = 0;
    // Loads the library and finds MAPISendMail; false when either fails.
    virtual bool Load() = 0;
    // MAPISendMail with the mail program's own window; its result.
    virtual ULONG SendMail(MapiMessage& message) = 0;
};

// MAPI32.DLL from the search path, freed with the object.
class CSystemMailClient final : public IMailClient {
public:
    CSystemMailClient() = default;
    ~CSystemMailClient() override;
    CSystemMailClient(const CSystemMailClient&) = delete;
    CSystemMailClient& operator=(const CSystemMailClient&) = delete;

    bool IsConfigured() override;
    bool Load() override;
    ULONG SendMail(MapiMessage& message) override;

private:
    winowners::UniqueModule library_;
    LPMAPISENDMAIL sendMail_ = nullptr;
};

}  // namespace vimbrel::controller
