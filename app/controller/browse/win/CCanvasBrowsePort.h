#pragma once
// Browse mode's canvas operations on the real photo canvas window. The
// main dialog hands the canvas over once it exists; until then every
// operation does nothing.

#include <windows.h>

#include "BrowsePorts.h"

namespace vimbrel::canvas {
class CPhotoCanvas;
}

namespace vimbrel::controller {

class CCanvasBrowsePort final : public IPhotoCanvasPort {
public:
    void SetCanvas(canvas::CPhotoCanvas* canvas) { canvas_ = canvas; }

    bool HasCanvas() const override { return canvas_ != nullptr; }
    bool ShowFile(const std::u16string& path, bool editable) override;
    bool ShowAudioPicture() override;
    bool Clear() override;
    void EnableEditing(bool enable) override;
    bool IsModified() const override;
    bool SaveImage(const std::u16string& path) override;
    void SetPenWidth(float width) override;
    void SetPenColor(std::uint32_t colour) override;
    bool SetImageStamp(const std::u16string& path) override;
    bool SetBrushStamp(const std::u16string& path) override;
    void SetTool(int tool) override;
    void ApplyEffect(int effectId) override;
    void SetFrame(const std::u16string& path) override;
    std::unique_ptr<IFrameSurface> OpenFrameSurface(int width, int height) override;
    bool FileExists(const std::u16string& path) const override;

private:
    canvas::CPhotoCanvas* canvas_ = nullptr;
};

}  // namespace vimbrel::controller
