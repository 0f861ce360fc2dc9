#include "widgets/ToolTip.h"

#include <commctrl.h>

namespace {

constexpr int MaxTipWidth = 300;

} // namespace

void TToolTip::CreateParams(TWidgetCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubclass(params, TOOLTIPS_CLASSW);
  params.ExStyle = WS_EX_TOPMOST;
  params.Style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOFADE;
}

void TToolTip::WndProc(TWidgetMessage& message) {
  if (message.Msg == WM_NOTIFY) {
    WMNotify(message);
    return;
  }
  TWinControl::WndProc(message);
}

void TToolTip::WMNotify(TWidgetMessage& message) {
  const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
  if (EnableTip && header && header->code == TTN_GETDISPINFOW)
    GetDispInfo(message);
}

// The text must outlive the notification: the control's own Hint does.
void TToolTip::GetDispInfo(TWidgetMessage& message) {
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(message.LParam);
  const auto tool = reinterpret_cast<HWND>(info->hdr.idFrom);
  if (!IsWindow(tool))
    return;
  SendMessageW(info->hdr.hwndFrom, TTM_SETMAXTIPWIDTH, 0, MaxTipWidth);
  const auto* control = static_cast<TControl*>(GetPropW(tool, MAKEINTATOM(WidgetAtom)));
  if (control && control->ShowHint() && !control->Hint().empty())
    info->lpszText = const_cast<wchar_t*>(control->Hint().c_str());
}

COLORREF TToolTip::BackColor() const {
  return HasWindow() ? static_cast<COLORREF>(SendMessageW(WindowHandle, TTM_GETTIPBKCOLOR, 0, 0))
                     : 0;
}

void TToolTip::SetBackColor(COLORREF color) {
  if (HasWindow())
    SendMessageW(WindowHandle, TTM_SETTIPBKCOLOR, color, 0);
}

COLORREF TToolTip::TextColor() const {
  return HasWindow()
             ? static_cast<COLORREF>(SendMessageW(WindowHandle, TTM_GETTIPTEXTCOLOR, 0, 0))
             : 0;
}

void TToolTip::SetTextColor(COLORREF color) {
  if (HasWindow())
    SendMessageW(WindowHandle, TTM_SETTIPTEXTCOLOR, color, 0);
}
