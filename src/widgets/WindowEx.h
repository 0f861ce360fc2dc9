#pragma once

#include "widgets/ControlEx.h"

enum TCloseAction { caNone = 0, caHide = 1, caFree = 2, caMinimize = 3 };

using TCloseEvent = std::function<void(TControl* sender, TCloseAction& action)>;
using TActivateEvent = std::function<void(TControl* sender, WORD activation, HWND window)>;
using TMouseActivateEvent =
    std::function<void(TControl* sender, WORD hitTest, WORD mouseButton, int& result)>;
using TTimerEvent = std::function<void(TControl* sender, int timerId)>;

// The top-level composited control: a layered popup whose whole appearance is
// its canvas, pushed to the screen with per-pixel alpha. Fully transparent
// pixels let the mouse through to what lies below.
class TWindowEx : public TControlEx {
public:
  explicit TWindowEx(TComponent* owner);

  std::wstring ClassName() const override { return L"TWindowEx"; }

  void CreateParams(TWidgetCreateParams& params) override;
  void WndProc(TWidgetMessage& message) override;
  void WMCreate(TWidgetMessage& message) override;
  void WMDestroy(TWidgetMessage& message) override;
  void WMSize(TWidgetMessage& message) override;
  void WMShowWindow(TWidgetMessage& message) override;
  void Present() override;
  void Refresh() override;
  virtual void WMClose(TWidgetMessage& message);
  virtual void WMActivate(TWidgetMessage& message);
  virtual void WMMouseActivate(TWidgetMessage& message);
  virtual void WMTimer(TWidgetMessage& message);
  virtual void AfterCreate() {}

  bool AlwaysTop() const { return alwaysTop_; }
  void SetAlwaysTop(bool alwaysTop);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

  TNotifyEvent OnCreate, OnDestroy, OnShow, OnHide, OnDeactivate, OnResize;
  TCloseEvent OnClose;
  TActivateEvent OnActivate;
  TMouseActivateEvent OnMouseActivate;
  TTimerEvent OnTimer;

private:
  bool alwaysTop_ = false;
  bool transparent_ = false;
};
