#include "widgets/Control.h"

#include "text/Errors.h"

#include <commctrl.h>
#include <mmsystem.h>
#include <windowsx.h>

#include <cstdio>
#include <vector>

ATOM WidgetAtom = 0;
DWORD LastInputTick = 0;
HWND ToolTipWindow = nullptr;

namespace {

// The system's undocumented timer message (caret blinking and the like).
constexpr UINT WM_SYSTIMER = 0x0118;

int controlNameCounter = 0;
UINT timerPeriod = 0;
std::exception_ptr pendingError;

const LPCWSTR CursorTable[16] = {IDC_ARROW,    IDC_IBEAM,  IDC_WAIT,        IDC_CROSS,
                                 IDC_UPARROW,  IDC_SIZE,   IDC_ICON,        IDC_SIZENWSE,
                                 IDC_SIZENESW, IDC_SIZEWE, IDC_SIZENS,      IDC_SIZEALL,
                                 IDC_NO,       IDC_HAND,   IDC_APPSTARTING, IDC_HELP};

class EInvalidOperation : public Exception {
  using Exception::Exception;
};

class EOSError : public Exception {
  using Exception::Exception;
};

[[noreturn]] void RaiseLastOSError() {
  throw EOSError(OsErrorMessage(GetLastError()));
}

TControl* ControlOf(HWND window) {
  return static_cast<TControl*>(GetPropW(window, MAKEINTATOM(WidgetAtom)));
}

int LowX(LPARAM lParam) {
  return GET_X_LPARAM(lParam);
}

int HighY(LPARAM lParam) {
  return GET_Y_LPARAM(lParam);
}

int Keys(const TWidgetMessage& message) {
  return static_cast<int>(message.WParam);
}

} // namespace

std::wstring OsErrorMessage(DWORD errorCode) {
  if (errorCode == 0)
    return L"A call to an OS function failed";
  return L"System Error.  Code: " + std::to_wstring(errorCode) + L".\r\n" +
         SystemErrorMessage(errorCode);
}

void StartToolkit() {
  wchar_t name[32];
  std::swprintf(name, 32, L"Widget%.8X", static_cast<unsigned>(GetCurrentProcessId()));
  WidgetAtom = GlobalAddAtomW(name);
  TIMECAPS caps{};
  if (timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR) {
    timerPeriod = caps.wPeriodMin;
    timeBeginPeriod(timerPeriod);
  }
}

void EndToolkit() {
  if (timerPeriod)
    timeEndPeriod(timerPeriod);
  timerPeriod = 0;
  if (WidgetAtom)
    GlobalDeleteAtom(WidgetAtom);
  WidgetAtom = 0;
}

bool HasPendingToolkitError() {
  return pendingError != nullptr;
}

void RethrowPendingToolkitError() {
  if (!pendingError)
    return;
  std::exception_ptr error = pendingError;
  pendingError = nullptr;
  std::rethrow_exception(error);
}

TShiftState ShiftStateFromKeyData(LPARAM keyData) {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0)
    shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0)
    shift |= ssCtrl;
  if (keyData & (1 << 29))
    shift |= ssAlt;
  return shift;
}

namespace {

LRESULT Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWidgetMessage message{window, msg, wParam, lParam, 0};
  TControl* control = ControlOf(window);
  if (control) {
    if (msg == WM_NCDESTROY) {
      // Back to the previous procedure first, so nothing after this message
      // reaches a control that may be freed.
      control->WndProc(message);
      RemovePropW(window, MAKEINTATOM(WidgetAtom));
    } else {
      control->WndProc(message);
    }
    return message.Result;
  }
  if (msg == WM_CREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    auto* creating = static_cast<TControl*>(create->lpCreateParams);
    if (!creating)
      return 0;
    creating->WndProc(message);
    return message.Result;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

} // namespace

// No C++ exception may cross into the system: the first one is kept, the loop
// is asked to end, and the loop's owner rethrows it.
LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    return Dispatch(window, msg, wParam, lParam);
  } catch (...) {
    if (!pendingError)
      pendingError = std::current_exception();
    PostQuitMessage(1);
    return DefWindowProcW(window, msg, wParam, lParam);
  }
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  Name = L"Widget_" + std::to_wstring(controlNameCounter++);
}

TControl::~TControl() {
  WNDCLASSW existing{};
  const std::wstring className = ClassNameW();
  if (GetClassInfoW(GetModuleHandleW(nullptr), className.c_str(), &existing))
    UnregisterClassW(className.c_str(), GetModuleHandleW(nullptr));
  if (cursorHandle_)
    DestroyCursor(cursorHandle_);
}

void TControl::CallDefaultProc(TWidgetMessage& message) {
  if (previousWindowProc_ && HasWindow())
    message.Result = CallWindowProcW(previousWindowProc_, WindowHandle, message.Msg, message.WParam,
                                     message.LParam);
}

void TControl::CreateParams(TWidgetCreateParams& params) {
  params = TWidgetCreateParams{};
  params.Param = this;
  params.Caption = savedCaption_ ? savedCaption_->c_str() : nullptr;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (enabled_ ? 0 : WS_DISABLED);
  params.ExStyle = WS_EX_CONTROLPARENT;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  params.WndParent = Parent ? Parent->Handle() : ParentWindow;
  WNDCLASSW& windowClass = params.WindowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.cbWndExtra = 4;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  const std::wstring className = ClassNameW().substr(0, 63);
  std::copy(className.begin(), className.end(), params.WinClassName);
  params.WinClassName[className.size()] = L'\0';
}

void TControl::CreateSubclass(TWidgetCreateParams& params, const wchar_t* className) {
  if (!className)
    return;
  const HINSTANCE module = params.WindowClass.hInstance;
  WNDCLASSW found{};
  const HINSTANCE candidates[] = {GetModuleHandleW(nullptr), nullptr, GetModuleHandleW(nullptr),
                                  module};
  bool exists = false;
  for (HINSTANCE candidate : candidates)
    if ((exists = GetClassInfoW(candidate, className, &found) != FALSE))
      break;
  if (!exists)
    return;
  params.WindowClass = found;
  params.WindowClass.hInstance = module;
  params.WindowClass.style &= ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS);
  params.WindowClass.style |= CS_HREDRAW | CS_VREDRAW;
  const size_t length = std::min<size_t>(wcslen(className), 63);
  std::copy(className, className + length, params.WinClassName);
  params.WinClassName[length] = L'\0';
}

void TControl::CreateHandle() {
  TWidgetCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD))
    throw EInvalidOperation(L"Parent Required " + Name);
  previousWindowProc_ = params.WindowClass.lpfnWndProc;

  WNDCLASSW registered{};
  const bool alreadyRegistered =
      GetClassInfoW(params.WindowClass.hInstance, params.WinClassName, &registered) != FALSE;
  if (!alreadyRegistered) {
    params.WindowClass.lpfnWndProc = ToolkitWindowProc;
    params.WindowClass.lpszClassName = params.WinClassName;
    if (!RegisterClassW(&params.WindowClass))
      RaiseLastOSError();
  }
  CreateWindowHandle(params);
  if (!WindowHandle)
    RaiseLastOSError();
  // An existing class (adopted by CreateSubclass) keeps its own procedure
  // as the previous one; the window itself is routed through the toolkit.
  if (alreadyRegistered && reinterpret_cast<WNDPROC>(GetWindowLongPtrW(
                               WindowHandle, GWLP_WNDPROC)) != ToolkitWindowProc) {
    previousWindowProc_ = registered.lpfnWndProc;
    SetWindowLongPtrW(WindowHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolkitWindowProc));
  }
  if ((GetWindowLongPtrW(WindowHandle, GWL_STYLE) & WS_CHILD) &&
      GetWindowLongPtrW(WindowHandle, GWLP_ID) == 0)
    SetWindowLongPtrW(WindowHandle, GWLP_ID, reinterpret_cast<LONG_PTR>(WindowHandle));
  savedCaption_.reset();
}

void TControl::CreateWindowHandle(const TWidgetCreateParams& params) {
  WindowHandle = CreateWindowExW(params.ExStyle, params.WinClassName, params.Caption, params.Style,
                                 params.X, params.Y, params.Width, params.Height, params.WndParent,
                                 reinterpret_cast<HMENU>(INT_PTR{CtrlID}),
                                 params.WindowClass.hInstance, params.Param);
}

void TControl::DestroyHandle() {
  if (HasWindow())
    DestroyWnd();
}

void TControl::DestroyWindowHandle() {
  if (!DestroyWindow(WindowHandle))
    RaiseLastOSError();
  WindowHandle = nullptr;
}

void TControl::DestroyWnd() {
  SaveCaption();
  DestroyWindowHandle();
}

void TControl::SaveCaption() {
  if (savedCaption_)
    return;
  const auto length = static_cast<int>(Perform(WM_GETTEXTLENGTH, 0, 0));
  if (length <= 0) {
    savedCaption_ = std::wstring();
    return;
  }
  std::vector<wchar_t> buffer(length + 1);
  Perform(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer.data()));
  savedCaption_ = std::wstring(buffer.data());
}

// The message table: one handler per message family; "stop" rows return
// without the default processing.
void TControl::WndProc(TWidgetMessage& message) {
  const UINT msg = message.Msg;
  if ((msg >= WM_KEYFIRST && msg <= 0x0109) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSEWHEEL))
    LastInputTick = GetTickCount();
  switch (msg) {
  case WM_CREATE:
    WMCreate(message);
    break;
  case WM_DESTROY:
    WMDestroy(message);
    break;
  case WM_MOVE:
    WMMove(message);
    break;
  case WM_SIZE:
    WMSize(message);
    break;
  case WM_SETFOCUS:
    WMSetFocus(message);
    break;
  case WM_KILLFOCUS:
    WMKillFocus(message);
    break;
  case WM_SETTEXT:
    WMSetText(message);
    break;
  case WM_GETTEXT:
    WMGetText(message);
    break;
  case WM_GETTEXTLENGTH:
    WMGetTextLength(message);
    break;
  case WM_SHOWWINDOW:
    WMShowWindow(message);
    break;
  case WM_CANCELMODE:
    WMCancelMode(message);
    break;
  case WM_SETCURSOR:
    WMSetCursor(message);
    if (message.Result == 1)
      return;
    break;
  case WM_DRAWITEM:
    WMDrawItem(message);
    return;
  case WM_MEASUREITEM:
    WMMeasureItem(message);
    return;
  case WM_WINDOWPOSCHANGING:
    WMWindowPosChanging(message);
    break;
  case WM_WINDOWPOSCHANGED:
    WMWindowPosChanged(message);
    break;
  case WM_NOTIFY:
    WMNotify(message);
    break;
  case WM_CONTEXTMENU:
    WMContextMenu(message);
    break;
  case WM_NCHITTEST:
    WMNCHitTest(message);
    break;
  case WM_GETDLGCODE:
    WMGetDlgCode(message);
    break;
  case WM_KEYDOWN:
    WMKeyDown(message);
    break;
  case WM_KEYUP:
    WMKeyUp(message);
    break;
  case WM_CHAR:
    WMChar(message);
    if (message.WParam == 0)
      return;
    break;
  case WM_COMMAND:
    WMCommand(message);
    return;
  case WM_HSCROLL:
    WMHScroll(message);
    break;
  case WM_VSCROLL:
    WMVScroll(message);
    break;
  case WM_SYSTIMER:
    WMSysTimer(message);
    break;
  case WM_MOUSEMOVE:
    WMMouseMove(message);
    break;
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
    WMButtonDown(message);
    break;
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
  case WM_MBUTTONUP:
    WMButtonUp(message);
    break;
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDBLCLK:
    WMButtonDblClk(message);
    break;
  case WM_MOUSEWHEEL:
    WMMouseWheel(message);
    break;
  case WM_SIZING:
    WMSizing(message);
    break;
  case WM_MOVING:
    WMMoving(message);
    break;
  case WM_MOUSEHOVER:
    WMMouseHover(message);
    break;
  case WM_MOUSELEAVE:
    WMMouseLeave(message);
    break;
  case WGM_MOUSEENTER:
    MouseEnter(message);
    return;
  case WGM_FONTCHANGED:
    FontChanged(message);
    return;
  case WGM_TEXTCHANGED:
    TextChanged(message);
    return;
  default:
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
      WMCtlColor(message);
      return;
    }
    break;
  }
  CallDefaultProc(message);
}

// Inside CreateWindowEx the handle is not yet stored.
void TControl::WMCreate(TWidgetMessage& message) {
  if (!WindowHandle)
    WindowHandle = message.Handle;
}

void TControl::WMDestroy(TWidgetMessage&) {}

void TControl::WMSetCursor(TWidgetMessage& message) {
  if (LOWORD(message.LParam) == HTCLIENT && cursorHandle_) {
    ::SetCursor(cursorHandle_);
    message.Result = 1;
  }
}

void TControl::WMMouseHover(TWidgetMessage& message) {
  mouseInside_ = true;
  if (OnMouseHover)
    OnMouseHover(this, Keys(message), LowX(message.LParam), HighY(message.LParam));
}

void TControl::MouseEnter(TWidgetMessage& message) {
  mouseInside_ = true;
  if (OnMouseEnter)
    OnMouseEnter(this, Keys(message), LOWORD(message.LParam), HIWORD(message.LParam));
}

void TControl::WMMouseLeave(TWidgetMessage& message) {
  mouseInside_ = false;
  if (OnMouseLeave)
    OnMouseLeave(this, Keys(message), LOWORD(message.LParam), HIWORD(message.LParam));
}

// Tracking is requested only when the mouse comes in, so enter and hover fire
// once per visit and leave once when it goes.
void TControl::WMMouseMove(TWidgetMessage& message) {
  const int keys = Keys(message);
  const int x = LowX(message.LParam);
  const int y = HighY(message.LParam);
  if (keys == MK_LBUTTON) {
    if (OnDrag)
      OnDrag(this, keys, x, y);
    return;
  }
  if (OnMouseMove)
    OnMouseMove(this, keys, x, y);
  if (mouseInside_)
    return;
  mouseInside_ = true;
  TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, message.Handle, HOVER_DEFAULT};
  TrackMouseEvent(&track);
  PostMessageW(message.Handle, WGM_MOUSEENTER, 0, 0);
}

void TControl::WMButtonDown(TWidgetMessage& message) {
  const int keys = Keys(message);
  if (OnMouseDown)
    OnMouseDown(this, keys, LowX(message.LParam), HighY(message.LParam));
  pressed_ = keys == MK_LBUTTON;
}

// A click is a plain left press and a release over the same window.
void TControl::WMButtonUp(TWidgetMessage& message) {
  const int released = message.Msg == WM_LBUTTONUP   ? MK_LBUTTON
                       : message.Msg == WM_RBUTTONUP ? MK_RBUTTON
                                                     : MK_MBUTTON;
  const int keys = Keys(message) | released;
  const int x = LowX(message.LParam);
  const int y = HighY(message.LParam);
  if (OnMouseUp)
    OnMouseUp(this, keys, x, y);
  if (!pressed_ || (message.WParam & MK_LBUTTON) || !OnClick)
    return;
  RECT client{};
  GetClientRect(message.Handle, &client);
  MapWindowPoints(message.Handle, nullptr, reinterpret_cast<POINT*>(&client), 2);
  POINT cursor{};
  GetCursorPos(&cursor);
  if (!PtInRect(&client, cursor))
    return;
  OnClick(this, keys, x, y);
  pressed_ = false;
}

void TControl::WMMouseWheel(TWidgetMessage& message) {
  if (OnMouseWheel)
    OnMouseWheel(this, LOWORD(message.WParam), static_cast<short>(HIWORD(message.WParam)),
                 LowX(message.LParam), HighY(message.LParam));
}

void TControl::WMButtonDblClk(TWidgetMessage& message) {
  if (OnDblClick)
    OnDblClick(this, Keys(message), LowX(message.LParam), HighY(message.LParam));
}

void TControl::WMSize(TWidgetMessage& message) {
  RECT bounds{};
  GetWindowRect(message.Handle, &bounds);
  width_ = bounds.right - bounds.left;
  height_ = bounds.bottom - bounds.top;
  ClientWidth = LOWORD(message.LParam);
  ClientHeight = HIWORD(message.LParam);
  if (OnSize)
    OnSize(this, static_cast<int>(message.WParam), ClientWidth, ClientHeight);
}

void TControl::WMSizing(TWidgetMessage& message) {
  if (OnSizing)
    OnSizing(this, static_cast<int>(message.WParam), *reinterpret_cast<RECT*>(message.LParam));
  message.Result = 1;
}

void TControl::WMMove(TWidgetMessage& message) {
  left_ = LowX(message.LParam);
  top_ = HighY(message.LParam);
  if (OnMove)
    OnMove(this, left_, top_);
}

void TControl::WMMoving(TWidgetMessage& message) {
  if (OnMoving)
    OnMoving(this, static_cast<int>(message.WParam), *reinterpret_cast<RECT*>(message.LParam));
  message.Result = 1;
}

void TControl::WMSysTimer(TWidgetMessage&) {
  if (OnSysTimer)
    OnSysTimer(this);
}

void TControl::WMSetFocus(TWidgetMessage&) {
  if (OnSetFocus)
    OnSetFocus(this);
}

void TControl::WMKillFocus(TWidgetMessage&) {
  if (OnKillFocus)
    OnKillFocus(this);
}

void TControl::WMShowWindow(TWidgetMessage& message) {
  visible_ = message.WParam != 0;
}

void TControl::WMGetDlgCode(TWidgetMessage& message) {
  message.Result = DLGC_WANTALLKEYS;
}

void TControl::WMCancelMode(TWidgetMessage&) {}

void TControl::WMWindowPosChanged(TWidgetMessage& message) {
  if (OnWindowPosChanged)
    OnWindowPosChanged(this, *reinterpret_cast<WINDOWPOS*>(message.LParam));
}

void TControl::WMWindowPosChanging(TWidgetMessage& message) {
  if (OnWindowPosChanging)
    OnWindowPosChanging(this, *reinterpret_cast<WINDOWPOS*>(message.LParam));
}

void TControl::WMNCHitTest(TWidgetMessage&) {}

void TControl::WMGetText(TWidgetMessage& message) {
  auto* buffer = reinterpret_cast<wchar_t*>(message.LParam);
  if (!buffer || message.WParam == 0)
    return;
  const std::wstring caption = savedCaption_.value_or(L"");
  const size_t copied = std::min<size_t>(caption.size(), message.WParam - 1);
  std::copy(caption.begin(), caption.begin() + copied, buffer);
  buffer[copied] = L'\0';
  message.Result = static_cast<LRESULT>(copied);
}

void TControl::WMGetTextLength(TWidgetMessage& message) {
  message.Result = savedCaption_ ? static_cast<LRESULT>(savedCaption_->size()) : 0;
}

void TControl::WMSetText(TWidgetMessage& message) {
  const auto* text = reinterpret_cast<const wchar_t*>(message.LParam);
  savedCaption_ = std::wstring(text ? text : L"");
}

void TControl::ForwardToParent(TWidgetMessage& message) const {
  if (Parent && Parent->HasWindow())
    message.Result =
        SendMessageW(Parent->WindowHandle, message.Msg, message.WParam, message.LParam);
}

void TControl::WMHScroll(TWidgetMessage& message) {
  ForwardToParent(message);
}

void TControl::WMVScroll(TWidgetMessage& message) {
  ForwardToParent(message);
}

void TControl::WMNotify(TWidgetMessage& message) {
  ForwardToParent(message);
}

void TControl::Reflect(HWND window, TWidgetMessage& message) {
  if (!window || !IsWindow(window))
    return;
  if (TControl* control = ControlOf(window))
    control->WndProc(message);
}

void TControl::WMCtlColor(TWidgetMessage& message) {
  WMCommand(message);
}

void TControl::WMChar(TWidgetMessage& message) {
  if (!OnChar)
    return;
  int charCode = static_cast<int>(message.WParam);
  OnChar(this, charCode);
  message.WParam = static_cast<WPARAM>(charCode);
}

void TControl::WMKeyDown(TWidgetMessage& message) {
  if (!OnKeyDown)
    return;
  WORD key = LOWORD(message.WParam);
  OnKeyDown(this, key, ShiftStateFromKeyData(message.LParam));
  message.WParam = key;
}

void TControl::WMKeyUp(TWidgetMessage& message) {
  if (!OnKeyUp)
    return;
  WORD key = LOWORD(message.WParam);
  OnKeyUp(this, key, ShiftStateFromKeyData(message.LParam));
  message.WParam = key;
}

void TControl::WMContextMenu(TWidgetMessage& message) {
  if (OnContextMenu)
    OnContextMenu(this, LowX(message.LParam), HighY(message.LParam));
}

void TControl::WMCommand(TWidgetMessage& message) {
  const auto source = reinterpret_cast<HWND>(message.LParam);
  if (source != WindowHandle)
    Reflect(source, message);
}

void TControl::WMDrawItem(TWidgetMessage& message) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
  if (item && item->hwndItem != WindowHandle)
    Reflect(item->hwndItem, message);
  message.Result = 1;
}

void TControl::WMMeasureItem(TWidgetMessage& message) {
  const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
  const auto window = item ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(item->CtlID)) : nullptr;
  if (window && window != WindowHandle)
    Reflect(window, message);
  message.Result = 1;
}

void TControl::TextChanged(TWidgetMessage&) {}

void TControl::FontChanged(TWidgetMessage&) {}

void TControl::HandleNeeded() {
  if (WindowHandle)
    return;
  if (Parent)
    Parent->HandleNeeded();
  CreateWnd();
}

void TControl::CreateWnd() {
  if (WindowHandle)
    return;
  CreateHandle();
  SetPropW(WindowHandle, MAKEINTATOM(WidgetAtom), this);
  if (Parent)
    SetWindowPos(WindowHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TControl::Invalidate() {
  Render();
}

void TControl::Refresh() {
  if (Parent)
    Parent->Refresh();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TWidgetMessage message{WindowHandle, msg, wParam, lParam, 0};
  WndProc(message);
  return message.Result;
}

void TControl::FocusControl() {
  if (HasWindow() && visible_ && enabled_)
    SetFocus(Handle());
}

void TControl::MoveWindowNow() const {
  if (HasWindow())
    MoveWindow(WindowHandle, left_, top_, width_, height_, FALSE);
}

void TControl::SetSize(int width, int height) {
  if (width == width_ && height == height_)
    return;
  width_ = width;
  height_ = height;
  MoveWindowNow();
}

HWND TControl::Handle() {
  HandleNeeded();
  return WindowHandle;
}

void TControl::SetHandle(HWND window) {
  if (HasWindow() || !IsWindow(window) || window == WindowHandle)
    return;
  RECT client{};
  GetClientRect(window, &client);
  width_ = client.right;
  height_ = client.bottom;
  enabled_ = IsWindowEnabled(window) != FALSE;
  visible_ = IsWindowVisible(window) != FALSE;
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const HWND parentWindow = Parent && Parent->HasWindow() ? Parent->WindowHandle : ParentWindow;
  ScreenToClient(parentWindow, &origin);
  left_ = origin.x;
  top_ = origin.y;
  cursorHandle_ = reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR));
  CtrlID = static_cast<int>(GetWindowLongPtrW(window, GWLP_ID));
  WindowHandle = window;
}

std::wstring TControl::Caption() {
  const auto length = static_cast<int>(Perform(WM_GETTEXTLENGTH, 0, 0));
  if (length <= 0)
    return {};
  std::vector<wchar_t> buffer(length + 1, L'\0');
  Perform(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer.data()));
  return std::wstring(buffer.data(), length);
}

void TControl::SetCaption(const std::wstring& caption) {
  if (caption == Caption())
    return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
  Perform(WGM_TEXTCHANGED, 0, 0);
}

void TControl::SetCursor(int cursor) {
  if (cursor < 0 || cursor > 15 || cursor == cursor_)
    return;
  cursor_ = cursor;
  if (cursorHandle_)
    DestroyCursor(cursorHandle_);
  cursorHandle_ = LoadCursorW(nullptr, CursorTable[cursor]);
}

void TControl::SetLeft(int left) {
  if (left == left_)
    return;
  left_ = left;
  MoveWindowNow();
}

void TControl::SetTop(int top) {
  if (top == top_)
    return;
  top_ = top;
  MoveWindowNow();
}

void TControl::SetWidth(int width) {
  if (width == width_)
    return;
  width_ = width;
  MoveWindowNow();
}

void TControl::SetHeight(int height) {
  if (height == height_)
    return;
  height_ = height;
  MoveWindowNow();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  if (HasWindow())
    EnableWindow(WindowHandle, enabled_);
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

int TControl::ControlCount() const {
  if (!HasWindow())
    return 0;
  int count = 0;
  for (HWND child = GetWindow(WindowHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    ++count;
  return count;
}

DWORD TControl::Style() const {
  return HasWindow() ? static_cast<DWORD>(GetWindowLongPtrW(WindowHandle, GWL_STYLE)) : 0;
}

void TControl::SetStyle(DWORD style) {
  if (HasWindow())
    SetWindowLongPtrW(WindowHandle, GWL_STYLE, static_cast<LONG_PTR>(style));
}

DWORD TControl::ExStyle() const {
  return HasWindow() ? static_cast<DWORD>(GetWindowLongPtrW(WindowHandle, GWL_EXSTYLE)) : 0;
}

void TControl::SetExStyle(DWORD exStyle) {
  if (HasWindow())
    SetWindowLongPtrW(WindowHandle, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
}

// The tooltip asks its own window for every text (TTN_GETDISPINFOW).
void TControl::SendToolInfo(UINT message, UINT flags, bool withText) const {
  if (!HasWindow() || !ToolTipWindow)
    return;
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = flags;
  info.hwnd = ToolTipWindow;
  info.uId = reinterpret_cast<UINT_PTR>(WindowHandle);
  info.lpszText = withText ? LPSTR_TEXTCALLBACKW : nullptr;
  SendMessageW(ToolTipWindow, message, 0, reinterpret_cast<LPARAM>(&info));
}

void TControl::SetShowHint(bool showHint) {
  if (showHint == showHint_)
    return;
  showHint_ = showHint;
  if (showHint_)
    SendToolInfo(TTM_ADDTOOLW, TTF_IDISHWND | TTF_SUBCLASS, true);
  else
    SendToolInfo(TTM_DELTOOLW, TTF_IDISHWND, false);
}

void TControl::SetHint(const std::wstring& hint) {
  hint_ = hint;
  if (showHint_)
    SendToolInfo(TTM_UPDATETIPTEXTW, TTF_IDISHWND, true);
}

void TControl::SetClassNameW(const std::wstring& className) {
  if (!WindowHandle)
    classNameW_ = className;
}
