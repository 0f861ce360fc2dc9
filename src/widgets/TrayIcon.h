#pragma once

#include "widgets/WinControl.h"

#include <shellapi.h>

// Callback message of the notification-area icon.
constexpr UINT WGM_TRAYNOTIFY = 0x9334;

enum TBalloonFlags { bfNone = NIIF_NONE, bfInfo = NIIF_INFO, bfWarning = NIIF_WARNING, bfError = NIIF_ERROR };

using TBalloonActionEvent = std::function<void(TControl* sender, int action)>;

// One icon in the notification area; its hidden popup window receives the
// shell's callbacks and is the icon's identity.
class TTrayIcon : public TWindow {
public:
  explicit TTrayIcon(TComponent* owner);

  std::wstring ClassName() const override { return L"TTrayIcon"; }

  void CreateParams(TWidgetCreateParams& params) override;
  void WndProc(TWidgetMessage& message) override;
  void WMDestroy(TWidgetMessage& message) override;
  void AfterCreate() override;
  virtual void TrayNotify(TWidgetMessage& message);
  virtual void ShowBalloon();

  void UpdateIcon();
  bool NotifyShell(DWORD command);

  HICON Icon() const { return icon_; }
  // The icon is owned: the previous one is destroyed.
  void SetIcon(HICON icon);
  const std::wstring& HintText() const { return hintText_; }
  void SetHintText(const std::wstring& text);
  const std::wstring& BalloonHint() const { return balloonHint_; }
  void SetBalloonHint(const std::wstring& text);
  const std::wstring& BalloonTitle() const { return balloonTitle_; }
  void SetBalloonTitle(const std::wstring& text);
  int BalloonTimeout() const { return static_cast<int>(notifyData_.uTimeout); }
  void SetBalloonTimeout(int timeout) { notifyData_.uTimeout = static_cast<UINT>(timeout); }
  bool VisibleTray() const { return visibleTray_; }
  void SetVisibleTray(bool visible);
  const NOTIFYICONDATAW& NotifyData() const { return notifyData_; }

  HMENU PopupMenu = nullptr;
  TBalloonFlags BalloonFlags = bfNone;
  TMouseEvent OnMouseMove, OnMouseDown, OnMouseUp;
  TNotifyEvent OnClick, OnDblClick, OnAnimate;
  TBalloonActionEvent OnBalloonAction;

private:
  void MouseNotify(UINT mouseMessage);

  NOTIFYICONDATAW notifyData_{};
  bool pressed_ = false;
  HICON icon_ = nullptr;
  std::wstring hintText_;
  std::wstring balloonHint_;
  std::wstring balloonTitle_;
  bool visibleTray_ = false;
};
