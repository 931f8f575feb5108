// The COM server entry points of benchdevices.dll and the table of its
// classes and their filter registrations.
#include "BenchDevices.h"
#include "CameraFilter.h"
#include "CameraPage.h"
#include "DeviceControl.h"
#include "MicrophoneFilter.h"
#include "PassThroughFilter.h"

#include "dshowbase/ServerEntryPoints.h"

namespace {

using dshowbase::FactoryTemplate;
using dshowbase::FilterSetup;
using dshowbase::PinSetup;

const REGPINTYPES kRgb24 = {&MEDIATYPE_Video, &MEDIASUBTYPE_RGB24};
const REGPINTYPES kAnyVideo = {&MEDIATYPE_Video, &MEDIASUBTYPE_NULL};
const REGPINTYPES kPcm = {&MEDIATYPE_Audio, &MEDIASUBTYPE_PCM};
const REGPINTYPES kAnalogAudio = {&MEDIATYPE_AnalogAudio, &MEDIASUBTYPE_NULL};

const PinSetup kCameraPins[] = {
    {L"Still", false, true, false, false, nullptr, nullptr, 1, &kRgb24},
    {L"Capture", false, true, false, false, nullptr, nullptr, 1, &kRgb24},
};
const PinSetup kMicrophonePins[] = {
    {L"Capture", false, true, false, false, nullptr, nullptr, 1, &kPcm},
    {L"Microphone", false, false, false, false, nullptr, nullptr, 1, &kAnalogAudio},
    {L"Line In", false, false, false, false, nullptr, nullptr, 1, &kAnalogAudio},
};
const PinSetup kTransformPins[] = {
    {L"Input", false, false, false, false, nullptr, nullptr, 1, &kAnyVideo},
    {L"Output", false, true, false, false, nullptr, nullptr, 1, &kAnyVideo},
};

const FilterSetup kCamera = {BENCH_CAMERA_NAME, MERIT_DO_NOT_USE, &CLSID_VideoInputDeviceCategory, 2, kCameraPins};
const FilterSetup kCamera2 = {BENCH_CAMERA2_NAME, MERIT_DO_NOT_USE, &CLSID_VideoInputDeviceCategory, 2, kCameraPins};
const FilterSetup kAnalogCamera = {BENCH_ANALOG_CAMERA_NAME, MERIT_DO_NOT_USE, &CLSID_VideoInputDeviceCategory, 2,
                                   kCameraPins};
const FilterSetup kMicrophone = {BENCH_MICROPHONE_NAME, MERIT_DO_NOT_USE, &CLSID_AudioInputDeviceCategory, 3,
                                 kMicrophonePins};
const FilterSetup kTunerAudio = {BENCH_TUNER_AUDIO_NAME, MERIT_DO_NOT_USE, &CLSID_AudioInputDeviceCategory, 3,
                                 kMicrophonePins};
const FilterSetup kPassThrough = {BENCH_PASSTHROUGH_NAME, MERIT_DO_NOT_USE, nullptr, 2, kTransformPins};
const FilterSetup kInPlace = {BENCH_INPLACE_PASSTHROUGH_NAME, MERIT_DO_NOT_USE, nullptr, 2, kTransformPins};

const FactoryTemplate kTemplates[] = {
    {BENCH_CAMERA_NAME, &CLSID_BenchCamera, &bench::CCameraFilter::CreateCamera, &kCamera},
    {BENCH_CAMERA2_NAME, &CLSID_BenchCamera2, &bench::CCameraFilter::CreateCamera2, &kCamera2},
    {BENCH_ANALOG_CAMERA_NAME, &CLSID_BenchAnalogCamera, &bench::CCameraFilter::CreateAnalogCamera, &kAnalogCamera},
    {BENCH_MICROPHONE_NAME, &CLSID_BenchMicrophone, &bench::CMicrophoneFilter::CreateMicrophone, &kMicrophone},
    {BENCH_TUNER_AUDIO_NAME, &CLSID_BenchTunerAudio, &bench::CMicrophoneFilter::CreateTunerAudio, &kTunerAudio},
    {BENCH_PASSTHROUGH_NAME, &CLSID_BenchPassThrough, &bench::CPassThroughFilter::CreateCopy, &kPassThrough},
    {BENCH_INPLACE_PASSTHROUGH_NAME, &CLSID_BenchInPlacePassThrough, &bench::CPassThroughFilter::CreateInPlace,
     &kInPlace},
    {L"Vimbrel Bench Device Control", &CLSID_BenchDeviceControl, &bench::CDeviceControl::Create, nullptr},
    {L"Vimbrel Bench Camera Page", &CLSID_BenchCameraPage, &bench::CCameraPage::Create, nullptr},
};

}  // namespace

DSHOWBASE_CLASS_ENTRY_POINTS(kTemplates)
DSHOWBASE_REGISTRATION_ENTRY_POINTS(kTemplates)
