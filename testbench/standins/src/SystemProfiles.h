// The Windows Media system profiles the bench's ASF writer knows: the four
// video profiles the engine chooses by video bitrate index, each with one
// sound and one picture stream. Their stream settings are plausible values
// of the bench's own, enough for the engine's profile walks and for tests
// to tell the profiles apart; real encoding needs Windows.
#pragma once

#include "AsfProfile.h"

#include <vector>

namespace standins {

struct SystemProfile {
    GUID guid;
    const wchar_t* name;
    DWORD totalBitrate;
    DWORD audioBitrate;  // the rest of the total is the picture's
    LONG width;
    LONG height;
    REFERENCE_TIME frameTime;
};

// Null for a GUID the bench does not know.
const SystemProfile* FindSystemProfile(REFGUID guid);
// What a new writer starts with: the 256 kbps video profile.
const SystemProfile& DefaultSystemProfile();
// The streams of a profile: stream 1 sound, stream 2 picture.
std::vector<StreamSettings> SystemProfileStreams(const SystemProfile& profile);

}  // namespace standins
