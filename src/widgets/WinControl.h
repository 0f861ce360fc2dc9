#pragma once

#include "widgets/Control.h"
#include "widgets/GdiObjects.h"
#include "widgets/WindowEx.h"

// A control whose window is painted the ordinary Win32 way, with GDI objects.
// Its font goes to the window with WM_SETFONT; any change repaints it.
class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);

  std::wstring ClassName() const override { return L"TWinControl"; }

  void CreateHandle() override;
  void WndProc(TWidgetMessage& message) override;
  void Invalidate() override;
  virtual void WMPaint(TWidgetMessage& message);
  virtual void WMNCPaint(TWidgetMessage& message);
  virtual void WMEraseBkgnd(TWidgetMessage& message);

  TCanvas& Canvas() { return canvas_; }
  TFont& Font() { return font_; }
  TSolidBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }
  TColor Color() const { return brush_.Color(); }
  void SetColor(TColor color) { brush_.SetColor(color); }
  virtual uint8_t Opacity() const { return opacity_; }
  virtual void SetOpacity(uint8_t opacity) { opacity_ = opacity; }

protected:
  uint8_t opacity_ = 255;

private:
  // Declared first so they are freed last: canvas, pen, brush, font go first.
  TFont font_;
  TSolidBrush brush_;
  TPen pen_;
  TCanvas canvas_;
};

// An ordinary top-level window: overlapped frame, WM_PAINT drawn through the
// canvas by Render, and the same close, activate and timer protocol as the
// layered window.
class TWindow : public TWinControl {
public:
  explicit TWindow(TComponent* owner);

  std::wstring ClassName() const override { return L"TWindow"; }

  void CreateParams(TWidgetCreateParams& params) override;
  void WndProc(TWidgetMessage& message) override;
  void WMCreate(TWidgetMessage& message) override;
  void WMDestroy(TWidgetMessage& message) override;
  void WMPaint(TWidgetMessage& message) override;
  virtual void WMClose(TWidgetMessage& message);
  virtual void WMActivate(TWidgetMessage& message);
  virtual void WMMouseActivate(TWidgetMessage& message);
  virtual void WMTimer(TWidgetMessage& message);
  virtual void AfterCreate();

  void SetOpacity(uint8_t opacity) override;

  TNotifyEvent OnCreate;
  TCloseEvent OnClose;
  TActivateEvent OnActivate;
  TMouseActivateEvent OnMouseActivate;
  TTimerEvent OnTimer;

private:
  void ApplyOpacity() const;
};
