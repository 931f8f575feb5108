#include "engine/core/RecordingRules.h"

#include "engine/core/RecordingSettings.h"

namespace camera {

namespace {

// The system profiles "Video for dial-up or ISDN (100 Kbps)" and "Video for
// local area network" at 256, 384 and 768 Kbps, in the order of the video
// bitrate table.
const MediaGuid kAsfVideoProfiles[kBitrateCount] = {
    {0xD9F3C932, 0x5EA9, 0x4C6D, {0x89, 0xB4, 0x26, 0x86, 0xE5, 0x15, 0x42, 0x6E}},
    {0xAFE69B3A, 0x403F, 0x4A1B, {0x80, 0x07, 0x0E, 0x21, 0xCF, 0xB3, 0xDF, 0x84}},
    {0xF3D45FBB, 0x8782, 0x44DF, {0x97, 0xC6, 0x86, 0x78, 0xE2, 0xF9, 0xB1, 0x3D}},
    {0x0326EBB6, 0xF76E, 0x4964, {0xB0, 0xDB, 0xE7, 0x29, 0x97, 0x8D, 0x35, 0xEE}},
};

}  // namespace

int RecordingMode(RecordingKind kind) {
    switch (kind) {
    case RecordingKind::VideoWithSound: return kModeVideo;
    case RecordingKind::VideoOnly: return kModeVideoOnly;
    case RecordingKind::Sound: break;
    }
    return kModeAudio;
}

int RecordingState(RecordingKind kind) {
    switch (kind) {
    case RecordingKind::VideoWithSound: return kRecordingVideoWithSound;
    case RecordingKind::VideoOnly: return kRecordingVideoOnly;
    case RecordingKind::Sound: break;
    }
    return kRecordingAudio;
}

RecordingStep PlanRecordingToggle(const EngineValues& values, RecordingKind kind, bool havePath) {
    if (!values.ready || values.requestedMode != RecordingMode(kind)) return RecordingStep::Refuse;
    if (values.captureState == RecordingState(kind)) return RecordingStep::Stop;
    // Another recording or the monitor owns the devices; a toggle never
    // stops what another toggle started.
    if (values.captureState != kIdle || !havePath) return RecordingStep::Refuse;
    return RecordingStep::Start;
}

std::size_t RecordingPathCapacity(RecordingKind kind) { return kind == RecordingKind::Sound ? 128 : 260; }

bool RecordingPathFits(RecordingKind kind, std::size_t wideLength) {
    return wideLength > 0 && wideLength < RecordingPathCapacity(kind);
}

VideoContainer VideoContainerFor(int videoFileFormat) {
    switch (videoFileFormat) {
    case 0:
    case 1: return VideoContainer::Asf;
    case 2: return VideoContainer::Avi;
    default: return VideoContainer::Unknown;
    }
}

SoundContainer SoundContainerFor(int audioFileFormat) {
    switch (audioFileFormat) {
    case 0: return SoundContainer::Wma;
    case 1: return SoundContainer::Avi;
    case 2: return SoundContainer::Wav;
    default: return SoundContainer::Unknown;
    }
}

const MediaGuid* AsfVideoProfileFor(int videoBitrateIndex) {
    if (videoBitrateIndex < 0 || videoBitrateIndex >= kBitrateCount) return nullptr;
    return &kAsfVideoProfiles[videoBitrateIndex];
}

RecordingGraph GraphOfRecording(int captureState) {
    switch (captureState) {
    case kRecordingVideoOnly:
    case kRecordingVideoWithSound: return RecordingGraph::Preview;
    case kRecordingAudio: return RecordingGraph::Sound;
    default: return RecordingGraph::None;
    }
}

float RecordingSeconds(long long position) { return static_cast<float>(static_cast<double>(position) * 1e-7); }

}  // namespace camera
