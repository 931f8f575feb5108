// What a saved graph keeps of the effects filter after the version field:
// enough for each effect to look the same after loading as before saving.
//
// Version 0 streams hold the effect's control id alone (or nothing, from
// older saves). Version 1 appends, as raw little-endian fields:
//   control id, parameter                        2 x int32
//   jitter offsets, each -4..4                   10,000 x int8
//   kaleidoscope x, y, x speed, y speed          4 x float32
//   photo frame kept                             int32 0 or 1
//   and when kept: source (int32); the path as a text: its length in UTF-16
//   units (int32), then the units; the resource name and type, each as
//   kind (int32: 0 none, 1 number, 2 text), then the number (int32) or a
//   text.
// Later versions may append more; a reader takes the fields it knows.
#pragma once

#include <objidl.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ResourceName.h"
#include "kernels/SpatialEffects.h"

namespace lenstint {

constexpr DWORD kSavedEffectVersion = 1;

struct SavedEffect {
    int controlId = 0;
    int parameter = 0;
    std::vector<signed char> jitter;  // kJitterCount offsets
    vimbrel::effects::KaleidoscopeState kaleidoscope;
    bool frameKept = false;
    int frameSource = 0;
    std::wstring framePath;
    CResourceName frameName;
    CResourceName frameType;
};

// The fields after the version field, in one write.
HRESULT WriteSavedEffect(IStream* stream, const SavedEffect& saved);
ULONG SavedEffectBytes(const SavedEffect& saved);

// Reads the version 1 fields; on any failure (a short stream, a value no
// save writes) the record is left unusable and the caller keeps its state.
HRESULT ReadSavedEffect(IStream* stream, SavedEffect& saved);

}  // namespace lenstint
