#pragma once
// The record of the current setting values. Windows of the program copy it
// out whole and read it in this field order, so its layout is fixed: 28
// ints, then the two device names of 260 UTF-16 units.

#include <cstddef>

namespace vimbrel::controller {

// Setting ids: the case of ApplySetting and GetSetting, and the decimal
// name of the setting's stored value.
enum SettingId : int {
    kSettingShootMode = 0x000,
    kSettingFlash = 0x100,
    kSettingTimer = 0x101,
    kSettingContShooting = 0x102,
    kSettingImageResolution = 0x103,
    kSettingVideoResolution = 0x104,
    kSettingDate = 0x105,
    kSettingJpgQuality = 0x106,
    kSettingAsfQuality = 0x107,
    kSettingWmaQuality = 0x108,
    kSettingVideoFileType = 0x109,
    kSettingAudioFileType = 0x10A,
    kSettingImageFileType = 0x10B,
    kSettingBrightness = 0x200,
    kSettingContrast = 0x201,
    kSettingWhiteBalance = 0x202,
    kSettingDefault = 0x300,
    kSettingFilter = 0x400,
    kSettingPhotoFilter = 0x401,
    kSettingFrame = 0x500,
    kSettingFace = 0x502,
    kSettingPenSize = 0x1000,
    kSettingPenType = 0x1001,
    kSettingColor = 0x1002,
    kSettingStamp = 0x1100,
    kSettingPrint = 0x1200,
    kSettingSensitivity = 0x1300,
    kSettingMicrophoneVolume = 0x2000,
    kSettingPlaybackVolume = 0x2001,
    kSettingMirror = 0x2002,
    kSettingModeId = 0x2100,
};

constexpr std::size_t kDeviceNameCapacity = 260;

struct SettingsBlock {
    int shootMode;
    int flash;                 // 0 on, 1 off
    int timer;                 // 0 five seconds, 1 ten seconds, 2 off
    int timerSeconds;          // 5, 10 or 0
    int contShooting;          // 0..3 bursts of 3, 5, 12, 15; 4 single picture
    int imageResolutionIndex;  // -1 none
    int imageWidth;
    int imageHeight;
    int videoResolutionIndex;  // -1 none
    int videoWidth;
    int videoHeight;
    int date;        // 0 month-day-year, 1 month-day, 2 time and date, 3 off
    int jpgQuality;  // 0, 1, 2 = 90, 75, 50
    int asfQuality;
    int wmaQuality;
    int imageFileType;  // BMP, JPG, GIF, PNG, TIFF
    int videoFileType;  // ASF, WMV, AVI
    int audioFileType;  // WMA, AVI, WAV
    int brightness;
    int contrast;
    int whiteBalance;
    int filter;  // live filter entry
    int photoFilter;
    int frame;
    int sensitivity;
    int penSize;  // 0..3 = width 1, 2, 4, 8
    int color;
    int penType;  // 0 pen, 1 stamp
    char16_t videoDev[kDeviceNameCapacity];
    char16_t audioDev[kDeviceNameCapacity];
};

static_assert(sizeof(SettingsBlock) == 1152, "the record other windows read is 1,152 bytes");
static_assert(offsetof(SettingsBlock, videoDev) == 28 * sizeof(int), "28 ints before the names");

}  // namespace vimbrel::controller
