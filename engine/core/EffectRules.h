// What the engine's effect calls send to the effects filter: effect ids,
// the zoom record built from the engine's zoom factor and mirror flag, the
// text style, the face range and the shoot-mode colour tables.
#pragma once

namespace camera {

// Effect ids of the effects filter that the engine itself chooses.
constexpr int kEffectPlainPicture = 0;  // what the monitor graph shows
constexpr int kEffectPhotoFrame = 22;
constexpr int kEffectNone = 23;

// The zoom method the engine always asks for.
constexpr int kEngineZoomMethod = 3;

// The caller's ids count from 1; anything at or below 0 means no effect.
constexpr int EffectIdToSend(int effectId) { return effectId <= 0 ? kEffectNone : effectId; }

// A zoom below 1 would shrink the picture, and a factor that is not a
// number or infinite would reach the filter's pixel arithmetic as an
// undefined conversion.
bool IsUsableZoomFactor(float factor);

struct ZoomSettings {
    int enable;
    int method;
    float factor;
    int flipVertical;
    int mirror;
};

// The filter zooms only above 1; the stored factor is never below it, so
// "not 1" and "above 1" agree.
ZoomSettings ZoomSettingsFor(float factor, int mirror);

// The date text the main program shows: orange, the filter's default size.
struct TextStyle {
    int sizeStep;
    int red;
    int green;
    int blue;
    const char16_t* fontName;
};
TextStyle DateTextStyle();

constexpr bool IsFaceInRange(int face) { return face >= 0 && face <= 10; }

// Brightness, contrast and the three gammas, 50 neutral.
struct GammaAdjustment {
    int brightness;
    int contrast;
    int gammaRed;
    int gammaGreen;
    int gammaBlue;
};
// Shoot mode 1 warms the picture a little: more red, less blue.
GammaAdjustment ShootGammaAdjustment(bool on);

}  // namespace camera
