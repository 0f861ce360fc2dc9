#pragma once

#include "graphics/Canvas.h"
#include "widgets/Control.h"

#include <memory>

// A composited control: it draws only into its own premultiplied canvas of its
// own size. Its native child window is never painted by the system; it is
// there so that mouse input, cursors and tooltips reach the control under the
// pointer.
class TControlEx : public TControl {
public:
  explicit TControlEx(TComponent* owner);
  ~TControlEx() override;

  std::wstring ClassName() const override { return L"TControlEx"; }

  void WMSize(TWidgetMessage& message) override;
  void CreateWnd() override;
  void Render() override;
  void Paint() override;
  void Present() override;
  void Refresh() override;

  TCanvasEx& Canvas() const { return *canvas_; }
  TFontEx& Font() const { return canvas_->Font(); }
  uint8_t Opacity() const { return opacity_; }
  void SetOpacity(uint8_t opacity) { opacity_ = opacity; }
  bool Rendering() const { return rendering_; }

  TNotifyEvent OnPaint;

protected:
  void ResizeCanvas();

private:
  void RenderChildren();

  bool rendering_ = false;
  std::unique_ptr<TCanvasEx> canvas_;
  uint8_t opacity_ = 255;
};
