#include "kernels/EffectSettings.h"

#include <algorithm>

namespace vimbrel::effects {

int FrameSizeClass(int width, int height) {
    if (width <= 200 && height <= 150) return 0;
    if (width > 800 || height > 600) return 3;
    if (width > 400 || height > 300) return 2;
    return 1;
}

void CEffectSettings::SetEffect(int effectId, int param, IRandomSource& random) {
    controlId = ControlIdOf(effectId);
    parameter = param;
    if (effectId == kEffectJitter) {
        for (int& offset : jitter) {
            offset = random.Next() % 9 - 4;
        }
    } else if (effectId == kEffectKaleidoscope) {
        ResetKaleidoscope(random);
    }
}

void CEffectSettings::GetEffect(int& effectId, int& param) const {
    effectId = EffectIdOf(controlId);
    param = parameter;
}

void CEffectSettings::ResetKaleidoscope(IRandomSource& random) {
    const float divisor = static_cast<float>(speedDivisor[std::clamp(sizeClass, 0, 3)]);
    kaleidoscope.x = 0.0f;
    kaleidoscope.y = 0.0f;
    kaleidoscope.vx = static_cast<float>(random.Next() % 10 + 8) / divisor;
    kaleidoscope.vy = static_cast<float>(random.Next() % 10 + 8) / divisor;
}

void CEffectSettings::SetZoom(int enable, int method, float factor, int flipVertical, int mirror) {
    zoom.enable = enable;
    zoom.method = method;
    zoom.factor = factor;
    zoom.flipVertical = flipVertical;
    zoom.mirror = mirror;
}

void CEffectSettings::ShowFps(int on) {
    frameRateOn = on;
    textOn = on;
    frameRate.Reset();
}

void CEffectSettings::SetAutoWhiteBalance(int on, int mode, int period) {
    whiteBalance.on = on;
    whiteBalance.mode = mode;
    whiteBalance.period = period;
    whiteBalance.frameCounter = 0;
}

int CEffectSettings::FeatureState(int index) const {
    switch (index) {
    case 0: return whiteBalance.on;
    case 1: return despeckleOn;
    case 2: return frameRateOn;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8: return featureFlags[index - 3];
    case 10: return featureFlags[6];
    default: return 0;
    }
}

bool CEffectSettings::AnyFeatureFlag() const {
    return std::any_of(std::begin(featureFlags), std::end(featureFlags), [](int f) { return f != 0; });
}

void CEffectSettings::SaveOverlayText(const char16_t* text) {
    int i = 0;
    for (; text != nullptr && i < kSavedTextChars - 1 && text[i] != u'\0'; ++i) {
        savedText[i] = text[i];
    }
    savedText[i] = u'\0';
}

bool CEffectSettings::SaveFramePath(const char16_t* path) {
    if (path == nullptr) {
        return false;
    }
    int length = 0;
    while (length < kSavedTextChars && path[length] != u'\0') {
        ++length;
    }
    if (length >= kSavedTextChars) {
        return false;
    }
    std::copy(path, path + length + 1, savedPath);
    return true;
}

bool CEffectSettings::UpdateFrameSize(int width, int height) {
    if (width == frameWidth && height == frameHeight) {
        return false;
    }
    frameWidth = width;
    frameHeight = height;
    sizeClass = FrameSizeClass(width, height);
    return true;
}

}  // namespace vimbrel::effects
