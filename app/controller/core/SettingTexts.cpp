#include "SettingTexts.h"

namespace vimbrel::controller {
namespace {

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c; }

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

// Two digits with a leading zero below 10; larger numbers in full.
void AppendNumber(std::u16string& out, int value) {
    if (value < 0) {
        out.push_back(u'-');
        value = -value;
    }
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    if (digits.size() < 2) digits.insert(digits.begin(), u'0');
    out += digits;
}

}  // namespace

const SettingWord kSettingWords[] = {
    {u"ShootMode", u"IDS_STG_SHOOTMODE"},
    {u"SM_NightScene", u"IDS_STG_NIGHTSCENE"},
    {u"SM_Portrait", u"IDS_STG_PORTRAIT"},
    {u"SM_FastObject", u"IDS_STG_FASTOBJECT"},
    {u"SM_SlowShutter", u"IDS_STG_SLOWSHUTTER"},
    {u"SM_Macro", u"IDS_STG_MACRO"},
    {u"SM_Custom", u"IDS_STG_CUSTOM"},
    {u"SM_Auto", u"IDS_STG_AUTO"},
    {u"Flash", u"IDS_STG_FLASH"},
    {u"F_On", u"IDS_STG_FLASHON"},
    {u"F_Off", u"IDS_STG_FLASHOFF"},
    {u"Timer", u"IDS_STG_TIMER"},
    {u"T_5", u"IDS_STG_TIMER5"},
    {u"T_10", u"IDS_STG_TIMER10"},
    {u"T_Off", u"IDS_STG_TIMEROFF"},
    {u"ContShooting", u"IDS_STG_CONTSHOOT"},
    {u"CS_3", u"IDS_STG_CONTSHOOT3"},
    {u"CS_5", u"IDS_STG_CONTSHOOT5"},
    {u"CS_12", u"IDS_STG_CONTSHOOT12"},
    {u"CS_15", u"IDS_STG_CONTSHOOT15"},
    {u"CS_1", u"IDS_STG_CONTSHOOTOFF"},
    {u"Resolution", u"IDS_STG_RESOLUTION"},
    {u"Date", u"IDS_STG_DATE"},
    {u"D_Off", u"IDS_STG_DATEOFF"},
    {u"JPGQuality", u"IDS_STG_JPGQUALITY"},
    {u"J_Good", u"IDS_STG_JPGQUALITYGOOD"},
    {u"J_Fine", u"IDS_STG_JPGQUALITYFINE"},
    {u"J_Normal", u"IDS_STG_JPGQUALITYNORMAL"},
    {u"ASFQuality", u"IDS_STG_ASFQUALITY"},
    {u"WMAQuality", u"IDS_STG_WMAQUALITY"},
    {u"VideoFileType", u"IDS_STG_VIDEOFILETYPE"},
    {u"VFT_ASF", u"IDS_STG_VIDEOFILETYPEASF"},
    {u"VFT_WMV", u"IDS_STG_VIDEOFILETYPEWMV"},
    {u"VFT_AVI", u"IDS_STG_VIDEOFILETYPEAVI"},
    {u"AudioFileType", u"IDS_STG_AUDIOFILETYPE"},
    {u"AFT_WMA", u"IDS_STG_AUDIOFILETYPEWMA"},
    {u"AFT_WAV", u"IDS_STG_AUDIOFILETYPEWAV"},
    {u"AFT_AVI", u"IDS_STG_AUDIOFILETYPEAVI"},
    {u"ImageFileType", u"IDS_STG_IMAGEFILETYPE"},
    {u"IFT_BMP", u"IDS_STG_IMAGEFILETYPEBMP"},
    {u"IFT_JPG", u"IDS_STG_IMAGEFILETYPEJPG"},
    {u"IFT_GIF", u"IDS_STG_IMAGEFILETYPEGIF"},
    {u"IFT_PNG", u"IDS_STG_IMAGEFILETYPEPNG"},
    {u"IFT_TIFF", u"IDS_STG_IMAGEFILETYPETIFF"},
    {u"Brightness", u"IDS_STG_BRIGHTNESS"},
    {u"Contrast", u"IDS_STG_CONTRAST"},
    {u"WhiteBalance", u"IDS_STG_WHITEBALANCE"},
    // These keys carry the prefix twice; the language files follow them.
    {u"WB_Daylight", u"IDS_STG_IDS_STG_WHITEBALANCE1"},
    {u"WB_Tungsten", u"IDS_STG_IDS_STG_WHITEBALANCE2"},
    {u"WB_Fluorescent", u"IDS_STG_IDS_STG_WHITEBALANCE3"},
    {u"WB_Auto", u"IDS_STG_IDS_STG_WHITEBALANCEAUTO"},
    {u"Default", u"IDS_STG_DEFAULT"},
    {u"RestoreDefault", u"IDS_STG_RESTOREDEFAULT"},
    {u"Filter", u"IDS_STG_FILTER"},
    {u"Frame", u"IDS_STG_FRAME"},
    {u"PenSize", u"IDS_STG_PENSIZE"},
    {u"PenSize1", u"IDS_STG_PENSIZE1"},
    {u"PenSize2", u"IDS_STG_PENSIZE2"},
    {u"PenSize4", u"IDS_STG_PENSIZE4"},
    {u"PenSize8", u"IDS_STG_PENSIZE8"},
    {u"PenType", u"IDS_STG_PENTYPE"},
    {u"pen1", u"IDS_STG_PENTYPE1"},
    {u"pen2", u"IDS_STG_PENTYPE2"},
    {u"Color", u"IDS_STG_COLOR"},
    {u"Stamp", u"IDS_STG_STAMP"},
    {u"Print", u"IDS_STG_PRINT"},
    {u"PRT_Singleimage", u"IDS_STG_PRINT1"},
    {u"Sensitivity", u"IDS_STG_SENSITIVITY"},
    {u"RecordType", u"IDS_STG_RECORDTYPE"},
    {u"RT_Image", u"IDS_STG_RECORDTYPEIMAGE"},
    {u"RT_Video", u"IDS_STG_RECORDTYPEVIDEO"},
    {u"Advanced Settings", u"IDS_STG_ADVANCEDSETTING"},
};
const std::size_t kSettingWordCount = sizeof(kSettingWords) / sizeof(kSettingWords[0]);

const char16_t* SettingTextKey(std::u16string_view word) {
    for (const SettingWord& entry : kSettingWords) {
        if (EqualNoCase(word, entry.word)) return entry.key;
    }
    return nullptr;
}

std::u16string DateFormatSample(std::u16string_view word, const LocalTime& time) {
    std::u16string out;
    if (EqualNoCase(word, u"MMDDYYYY")) {
        AppendNumber(out, time.month);
        out += u'/';
        AppendNumber(out, time.day);
        out += u'/';
        AppendNumber(out, time.year);
    } else if (EqualNoCase(word, u"MMDD")) {
        AppendNumber(out, time.month);
        out += u'/';
        AppendNumber(out, time.day);
    } else if (EqualNoCase(word, u"HHMMMMDD")) {
        AppendNumber(out, time.hour);
        out += u':';
        AppendNumber(out, time.minute);
        out += u' ';
        AppendNumber(out, time.month);
        out += u'/';
        AppendNumber(out, time.day);
    }
    return out;
}

std::u16string CSettingTexts::GetSettingText(std::u16string_view word) const {
    if (const char16_t* key = SettingTextKey(word)) return language_.GetString(key);
    return DateFormatSample(word, clock_.Now());
}

}  // namespace vimbrel::controller
