// The COM server entry points of benchstandins.dll and the table of its
// classes and their filter registrations.
#include "AsfWriterFilter.h"
#include "AudioControlFilter.h"
#include "AviMuxFilter.h"
#include "BenchStandIns.h"
#include "FileWriterFilter.h"
#include "MediaDetector.h"
#include "ServerRegistration.h"
#include "StandInControl.h"
#include "WavDestFilter.h"

#include "dshowbase/ServerEntryPoints.h"

namespace {

using dshowbase::FactoryTemplate;
using dshowbase::FilterSetup;
using dshowbase::PinSetup;

const REGPINTYPES kPcm = {&MEDIATYPE_Audio, &MEDIASUBTYPE_PCM};
const REGPINTYPES kWaveBytes = {&MEDIATYPE_Stream, &MEDIASUBTYPE_WAVE};
const REGPINTYPES kVideo = {&MEDIATYPE_Video, &MEDIASUBTYPE_NULL};
const REGPINTYPES kAnything = {&MEDIATYPE_NULL, &MEDIASUBTYPE_NULL};
const REGPINTYPES kAviBytes = {&MEDIATYPE_Stream, &MEDIASUBTYPE_Avi};

const PinSetup kWavDestPins[] = {
    {L"In", false, false, false, false, nullptr, nullptr, 1, &kPcm},
    {L"Out", false, true, false, false, nullptr, nullptr, 1, &kWaveBytes},
};
const PinSetup kAudioControlPins[] = {
    {L"In", false, false, false, false, nullptr, nullptr, 1, &kPcm},
    {L"Out", false, true, false, false, nullptr, nullptr, 1, &kPcm},
};
const PinSetup kAsfWriterPins[] = {
    {L"Audio Input 01", true, false, false, false, nullptr, nullptr, 1, &kPcm},
    {L"Video Input 01", true, false, false, false, nullptr, nullptr, 1, &kVideo},
};
const PinSetup kFileWriterPins[] = {
    {L"in", true, false, false, false, nullptr, nullptr, 1, &kAnything},
};
const PinSetup kAviMuxPins[] = {
    {L"Input 01", false, false, false, true, nullptr, nullptr, 1, &kAnything},
    {L"AVI Out", false, true, false, false, nullptr, nullptr, 1, &kAviBytes},
};

// All in the DirectShow filters category; none is ever picked by
// intelligent connect on its own.
const FilterSetup kWavDest = {BENCH_WAV_DEST_NAME, MERIT_DO_NOT_USE, nullptr, 2, kWavDestPins};
const FilterSetup kAudioControl = {BENCH_AUDIO_CONTROL_NAME, MERIT_DO_NOT_USE, nullptr, 2, kAudioControlPins};
const FilterSetup kAsfWriter = {BENCH_ASF_WRITER_NAME, MERIT_DO_NOT_USE, nullptr, 2, kAsfWriterPins};
const FilterSetup kFileWriter = {BENCH_FILE_WRITER_NAME, MERIT_DO_NOT_USE, nullptr, 1, kFileWriterPins};
const FilterSetup kAviMux = {BENCH_AVI_MUX_NAME, MERIT_DO_NOT_USE, nullptr, 2, kAviMuxPins};

// The bench's own classes first, then those registered over the platform's.
const FactoryTemplate kTemplates[] = {
    {BENCH_WAV_DEST_NAME, &CLSID_BenchWavDest, &standins::CWavDestFilter::Create, &kWavDest},
    {BENCH_AUDIO_CONTROL_NAME, &CLSID_BenchAudioControl, &standins::CAudioControlFilter::Create, &kAudioControl},
    {L"Vimbrel Bench Stand-in Control", &CLSID_BenchStandInControl, &standins::CStandInControl::Create, nullptr},
    {BENCH_ASF_WRITER_NAME, &CLSID_WMAsfWriter, &standins::CAsfWriterFilter::Create, &kAsfWriter},
    {BENCH_FILE_WRITER_NAME, &CLSID_FileWriter, &standins::CFileWriterFilter::Create, &kFileWriter},
    {L"MediaDet", &__uuidof(MediaDet), &standins::CMediaDetector::Create, nullptr},
    {BENCH_AVI_MUX_NAME, &CLSID_AviDest, &standins::CAviMuxFilter::Create, &kAviMux},
};
constexpr size_t kTemplateCount = sizeof(kTemplates) / sizeof(kTemplates[0]);
constexpr size_t kOwnCount = 3;

const standins::Replacement kReplacements[] = {
    {&kTemplates[3], L"qasf.dll"},
    {&kTemplates[4], L"qcap.dll"},
    {&kTemplates[5], L"qedit.dll"},
    {&kTemplates[6], L"qcap.dll"},
};
constexpr size_t kReplacementCount = sizeof(kReplacements) / sizeof(kReplacements[0]);
static_assert(kOwnCount + kReplacementCount == kTemplateCount, "every class is registered one way");

}  // namespace

DSHOWBASE_CLASS_ENTRY_POINTS(kTemplates)

// Registration is the server's own: the bench's classes go in through the
// table, while those standing in for the platform's are pointed back at the
// platform's modules when the server is unregistered.
extern "C" {

HRESULT STDAPICALLTYPE DllRegisterServer() {
    const HRESULT hr = dshowbase::RegisterServer(kTemplates, kOwnCount, true);
    if (FAILED(hr)) {
        return hr;
    }
    return standins::RegisterReplacements(kReplacements, kReplacementCount);
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
    const HRESULT own = dshowbase::RegisterServer(kTemplates, kOwnCount, false);
    const HRESULT restored = standins::RestorePlatformClasses(kReplacements, kReplacementCount);
    return FAILED(own) ? own : restored;
}

}  // extern "C"
