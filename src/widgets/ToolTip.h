#pragma once

#include "widgets/WinControl.h"

// The one system tooltip of the application. Controls register themselves
// (ShowHint); the tooltip asks for each text on demand and gets the hovered
// control's Hint, wrapped at 300 pixels, while EnableTip is set.
class TToolTip : public TWinControl {
public:
  using TWinControl::TWinControl;

  std::wstring ClassName() const override { return L"TToolTip"; }

  void CreateParams(TWidgetCreateParams& params) override;
  void WndProc(TWidgetMessage& message) override;
  void WMNotify(TWidgetMessage& message) override;
  virtual void GetDispInfo(TWidgetMessage& message);

  COLORREF BackColor() const;
  void SetBackColor(COLORREF color);
  COLORREF TextColor() const;
  void SetTextColor(COLORREF color);

  bool EnableTip = false;
};
