#include "widgets/TrayIcon.h"

#include "text/WideText.h"

namespace {

// Copies at most the field's size less one, always terminated.
template <size_t N> void CopyField(wchar_t (&field)[N], const std::wstring& text) {
  CopyWideCharsMax(field, text.c_str(), N - 1);
}

// Texts are compared as the shell's ANSI code page would see them.
bool SameText(const std::wstring& a, const std::wstring& b) {
  return ToSystemCodePage(a) == ToSystemCodePage(b);
}

} // namespace

TTrayIcon::TTrayIcon(TComponent* owner) : TWindow(owner) {
  notifyData_.cbSize = NOTIFYICONDATAW_V2_SIZE;
  notifyData_.uTimeout = 3000;
  notifyData_.uFlags = NIF_MESSAGE | NIF_ICON;
  notifyData_.uCallbackMessage = WGM_TRAYNOTIFY;
}

void TTrayIcon::CreateParams(TWidgetCreateParams& params) {
  TWindow::CreateParams(params);
  params.Style = WS_POPUP;
  params.ExStyle = WS_EX_TOOLWINDOW;
}

void TTrayIcon::WndProc(TWidgetMessage& message) {
  switch (message.Msg) {
  case WM_QUERYENDSESSION: message.Result = 1; return;
  case WM_ENDSESSION:
    if (message.WParam)
      NotifyShell(NIM_DELETE);
    return;
  case WGM_TRAYNOTIFY: TrayNotify(message); return;
  default: TWindow::WndProc(message);
  }
}

void TTrayIcon::WMDestroy(TWidgetMessage& message) {
  NotifyShell(NIM_DELETE);
  if (icon_)
    DestroyIcon(icon_);
  icon_ = nullptr;
  notifyData_.hIcon = nullptr;
  TWindow::WMDestroy(message);
}

void TTrayIcon::AfterCreate() {
  TWindow::AfterCreate();
  if (!HasWindow())
    return;
  notifyData_.hWnd = WindowHandle;
  notifyData_.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(WindowHandle));
  UpdateIcon();
}

void TTrayIcon::MouseNotify(UINT mouseMessage) {
  int keys = 0;
  if (GetKeyState(VK_SHIFT) < 0)
    keys |= MK_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0)
    keys |= MK_CONTROL;
  POINT cursor{};
  GetCursorPos(&cursor);
  const auto raise = [&](const TMouseEvent& event, int button) {
    if (event)
      event(this, keys | button, cursor.x, cursor.y);
  };
  switch (mouseMessage) {
  case WM_MOUSEMOVE: raise(OnMouseMove, 0); break;
  case WM_LBUTTONDOWN:
    raise(OnMouseDown, MK_LBUTTON);
    pressed_ = true;
    break;
  case WM_LBUTTONUP:
    if (pressed_ && OnClick) {
      OnClick(this);
      pressed_ = false;
    }
    raise(OnMouseUp, MK_LBUTTON);
    break;
  case WM_RBUTTONDOWN: raise(OnMouseDown, MK_RBUTTON); break;
  case WM_RBUTTONUP: raise(OnMouseUp, MK_RBUTTON); break;
  case WM_MBUTTONDOWN: raise(OnMouseDown, MK_MBUTTON); break;
  case WM_MBUTTONUP: raise(OnMouseUp, MK_MBUTTON); break;
  default: break;
  }
}

void TTrayIcon::TrayNotify(TWidgetMessage& message) {
  const auto event = static_cast<UINT>(message.LParam);
  switch (event) {
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDBLCLK:
    if (OnDblClick)
      OnDblClick(this);
    return;
  case NIN_BALLOONSHOW:
  case NIN_BALLOONHIDE:
  case NIN_BALLOONTIMEOUT:
  case NIN_BALLOONUSERCLICK:
    notifyData_.uFlags &= ~NIF_INFO;
    if (OnBalloonAction)
      OnBalloonAction(this, static_cast<int>(event));
    return;
  default: MouseNotify(event);
  }
}

void TTrayIcon::ShowBalloon() {
  notifyData_.uFlags |= NIF_INFO;
  notifyData_.dwInfoFlags = static_cast<DWORD>(BalloonFlags);
  NotifyShell(NIM_MODIFY);
}

void TTrayIcon::UpdateIcon() {
  if (visibleTray_)
    NotifyShell(NIM_MODIFY);
}

bool TTrayIcon::NotifyShell(DWORD command) {
  return Shell_NotifyIconW(command, &notifyData_) != FALSE;
}

void TTrayIcon::SetIcon(HICON icon) {
  if (icon_)
    DestroyIcon(icon_);
  icon_ = icon;
  notifyData_.hIcon = icon;
  UpdateIcon();
}

void TTrayIcon::SetHintText(const std::wstring& text) {
  if (SameText(text, hintText_))
    return;
  hintText_ = text;
  CopyField(notifyData_.szTip, text);
  if (text.empty())
    notifyData_.uFlags &= ~NIF_TIP;
  else
    notifyData_.uFlags |= NIF_TIP;
  UpdateIcon();
}

void TTrayIcon::SetBalloonHint(const std::wstring& text) {
  if (SameText(text, balloonHint_))
    return;
  balloonHint_ = text;
  CopyField(notifyData_.szInfo, text);
  NotifyShell(NIM_MODIFY);
}

void TTrayIcon::SetBalloonTitle(const std::wstring& text) {
  if (SameText(text, balloonTitle_))
    return;
  balloonTitle_ = text;
  CopyField(notifyData_.szInfoTitle, text);
  NotifyShell(NIM_MODIFY);
}

void TTrayIcon::SetVisibleTray(bool visible) {
  if (visible == visibleTray_)
    return;
  visibleTray_ = visible;
  NotifyShell(visible ? NIM_ADD : NIM_DELETE);
}
