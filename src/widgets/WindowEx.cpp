#include "widgets/WindowEx.h"

TWindowEx::TWindowEx(TComponent* owner) : TControlEx(owner) {
  SetSize(320, 240);
  Cached = false;
}

void TWindowEx::CreateParams(TWidgetCreateParams& params) {
  TControlEx::CreateParams(params);
  params.Style = WS_POPUP | WS_CLIPSIBLINGS | (Enabled() ? 0 : WS_DISABLED);
  params.ExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | (alwaysTop_ ? WS_EX_TOPMOST : 0);
}

void TWindowEx::WndProc(TWidgetMessage& message) {
  switch (message.Msg) {
  case WM_CREATE:
    WMCreate(message);
    return;
  case WM_DESTROY:
    WMDestroy(message);
    return;
  case WM_ACTIVATE:
    WMActivate(message);
    return;
  case WM_CLOSE:
    WMClose(message);
    return;
  case WM_MOUSEACTIVATE:
    WMMouseActivate(message);
    return;
  case WM_TIMER:
    WMTimer(message);
    return;
  default:
    TControlEx::WndProc(message);
  }
}

void TWindowEx::WMCreate(TWidgetMessage& message) {
  TControlEx::WMCreate(message);
  if (OnCreate)
    OnCreate(this);
  AfterCreate();
}

void TWindowEx::WMDestroy(TWidgetMessage& message) {
  if (OnDestroy)
    OnDestroy(this);
  TControlEx::WMDestroy(message);
}

void TWindowEx::WMSize(TWidgetMessage& message) {
  TControlEx::WMSize(message);
  if (OnResize)
    OnResize(this);
}

void TWindowEx::WMShowWindow(TWidgetMessage& message) {
  TControlEx::WMShowWindow(message);
  const TNotifyEvent& event = Visible() ? OnShow : OnHide;
  if (event)
    event(this);
}

void TWindowEx::WMClose(TWidgetMessage&) {
  TCloseAction action = caFree;
  if (OnClose)
    OnClose(this, action);
  if (action == caHide)
    Hide();
  else if (action == caFree)
    DestroyWindow(WindowHandle);
}

void TWindowEx::WMActivate(TWidgetMessage& message) {
  if (OnActivate)
    OnActivate(this, LOWORD(message.WParam), reinterpret_cast<HWND>(message.LParam));
}

void TWindowEx::WMMouseActivate(TWidgetMessage& message) {
  int result = MA_ACTIVATE;
  if (OnMouseActivate)
    OnMouseActivate(this, LOWORD(message.LParam), HIWORD(message.LParam), result);
  message.Result = result;
}

void TWindowEx::WMTimer(TWidgetMessage& message) {
  if (OnTimer)
    OnTimer(this, static_cast<int>(message.WParam));
}

void TWindowEx::Present() {
  POINT destination{Left(), Top()};
  SIZE size{Width(), Height()};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, Opacity(), AC_SRC_ALPHA};
  Canvas().Bitmap().Flush();
  UpdateLayeredWindow(WindowHandle, nullptr, &destination, &size, Canvas().GetDC(), &source, 0,
                      &blend, ULW_ALPHA);
}

// A request made while rendering (from a Paint override, say) is dropped.
void TWindowEx::Refresh() {
  if (!Rendering())
    Render();
}

void TWindowEx::SetAlwaysTop(bool alwaysTop) {
  if (alwaysTop == alwaysTop_)
    return;
  alwaysTop_ = alwaysTop;
  if (!HasWindow())
    return;
  SetWindowPos(WindowHandle, alwaysTop_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED);
  SetForegroundWindow(WindowHandle);
  SetActiveWindow(WindowHandle);
  Refresh();
}

void TWindowEx::SetTransparent(bool transparent) {
  if (transparent == transparent_)
    return;
  transparent_ = transparent;
  if (!HasWindow())
    return;
  const DWORD exStyle = ExStyle();
  SetExStyle(transparent_ ? exStyle | WS_EX_TRANSPARENT : exStyle & ~WS_EX_TRANSPARENT);
  SetWindowPos(WindowHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}
