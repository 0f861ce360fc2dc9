#pragma once

#include "widgets/Component.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>

// Toolkit-private window messages.
constexpr UINT WGM_MOUSEENTER = 0x8146;
constexpr UINT WGM_FONTCHANGED = 0x933F;
constexpr UINT WGM_TEXTCHANGED = 0x9343;

class TControl;

struct TWidgetMessage {
  HWND Handle;
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

struct TWidgetCreateParams {
  const wchar_t* Caption;
  DWORD Style;
  DWORD ExStyle;
  int X, Y, Width, Height;
  HWND WndParent;
  TControl* Param;
  WNDCLASSW WindowClass;
  wchar_t WinClassName[64];
};

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;

using TNotifyEvent = std::function<void(TControl* sender)>;
using TMouseEvent = std::function<void(TControl* sender, int keys, int x, int y)>;
using TMouseWheelEvent =
    std::function<void(TControl* sender, int keys, int wheelDelta, int x, int y)>;
using TSizingEvent = std::function<void(TControl* sender, int edge, RECT& r)>;
using TSizeEvent = std::function<void(TControl* sender, int flag, int newWidth, int newHeight)>;
using TMoveEvent = std::function<void(TControl* sender, int x, int y)>;
using TMovingEvent = std::function<void(TControl* sender, int side, RECT& r)>;
using TContextMenuEvent = std::function<void(TControl* sender, int x, int y)>;
using TKeyEvent = std::function<void(TControl* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TControl* sender, int& key)>;
using TCharEvent = std::function<void(TControl* sender, int& charCode)>;
using TWindowPosChangingEvent = std::function<void(TControl* sender, WINDOWPOS& windowPos)>;

// The property key that leads from a window to its control.
extern ATOM WidgetAtom;
// Tick of the last keyboard or mouse message that reached any control.
extern DWORD LastInputTick;
// The application's tooltip window, 0 while there is none.
extern HWND ToolTipWindow;

// Module start and end: the property atom and the finest timer period.
void StartToolkit();
void EndToolkit();

// An exception that escaped a window procedure is kept here and the message
// loop is told to quit; the loop's owner rethrows it after the loop ended.
void RethrowPendingToolkitError();
bool HasPendingToolkitError();

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

TShiftState ShiftStateFromKeyData(LPARAM keyData);

// The root of every control: at most one native window, created lazily the
// first time its handle is needed, parents first. All toolkit classes share
// ToolkitWindowProc, which hands each message to WndProc; what a handler does
// not finish goes on to the window's previous procedure.
class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // The object's class name, the default native class name.
  virtual std::wstring ClassName() const { return L"TControl"; }

  // Virtual operations, in their fixed order.
  virtual void CallDefaultProc(TWidgetMessage& message);
  virtual void CreateHandle();
  virtual void CreateParams(TWidgetCreateParams& params);
  virtual void CreateWindowHandle(const TWidgetCreateParams& params);
  virtual void DestroyHandle();
  virtual void DestroyWindowHandle();
  virtual void DestroyWnd();
  virtual void WndProc(TWidgetMessage& message);
  virtual void WMCreate(TWidgetMessage& message);
  virtual void WMDestroy(TWidgetMessage& message);
  virtual void WMSetCursor(TWidgetMessage& message);
  virtual void WMMouseHover(TWidgetMessage& message);
  virtual void MouseEnter(TWidgetMessage& message);
  virtual void WMMouseLeave(TWidgetMessage& message);
  virtual void WMMouseMove(TWidgetMessage& message);
  virtual void WMButtonDown(TWidgetMessage& message);
  virtual void WMButtonUp(TWidgetMessage& message);
  virtual void WMMouseWheel(TWidgetMessage& message);
  virtual void WMButtonDblClk(TWidgetMessage& message);
  virtual void WMSize(TWidgetMessage& message);
  virtual void WMSizing(TWidgetMessage& message);
  virtual void WMMove(TWidgetMessage& message);
  virtual void WMMoving(TWidgetMessage& message);
  virtual void WMSysTimer(TWidgetMessage& message);
  virtual void WMSetFocus(TWidgetMessage& message);
  virtual void WMKillFocus(TWidgetMessage& message);
  virtual void WMShowWindow(TWidgetMessage& message);
  virtual void WMGetDlgCode(TWidgetMessage& message);
  virtual void WMCancelMode(TWidgetMessage& message);
  virtual void WMWindowPosChanged(TWidgetMessage& message);
  virtual void WMWindowPosChanging(TWidgetMessage& message);
  virtual void WMNCHitTest(TWidgetMessage& message);
  virtual void WMGetText(TWidgetMessage& message);
  virtual void WMGetTextLength(TWidgetMessage& message);
  virtual void WMSetText(TWidgetMessage& message);
  virtual void WMHScroll(TWidgetMessage& message);
  virtual void WMVScroll(TWidgetMessage& message);
  virtual void WMNotify(TWidgetMessage& message);
  virtual void WMCtlColor(TWidgetMessage& message);
  virtual void WMChar(TWidgetMessage& message);
  virtual void WMKeyDown(TWidgetMessage& message);
  virtual void WMKeyUp(TWidgetMessage& message);
  virtual void WMContextMenu(TWidgetMessage& message);
  virtual void WMCommand(TWidgetMessage& message);
  virtual void WMDrawItem(TWidgetMessage& message);
  virtual void WMMeasureItem(TWidgetMessage& message);
  virtual void TextChanged(TWidgetMessage& message);
  virtual void FontChanged(TWidgetMessage& message);
  virtual void HandleNeeded();
  virtual void CreateWnd();
  virtual void Invalidate();
  virtual void Render() {}
  virtual void Paint() {}
  virtual void Present() {}
  virtual void Refresh();

  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
  bool HasWindow() const { return WindowHandle && IsWindow(WindowHandle); }
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  void FocusControl();
  void SetSize(int width, int height);
  RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
  void CreateSubclass(TWidgetCreateParams& params, const wchar_t* className);

  HWND Handle();
  void SetHandle(HWND window);
  std::wstring Caption();
  void SetCaption(const std::wstring& caption);
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor);
  int Left() const { return left_; }
  void SetLeft(int left);
  int Top() const { return top_; }
  void SetTop(int top);
  int Width() const { return width_; }
  void SetWidth(int width);
  int Height() const { return height_; }
  void SetHeight(int height);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool MouseInside() const { return mouseInside_; }
  int ControlCount() const;
  DWORD Style() const;
  void SetStyle(DWORD style);
  DWORD ExStyle() const;
  void SetExStyle(DWORD exStyle);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool showHint);
  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& hint);
  // ClassName until set: a constructor cannot ask the virtual ClassName of a
  // descendant that is not built yet.
  std::wstring ClassNameW() const { return classNameW_.empty() ? ClassName() : classNameW_; }
  void SetClassNameW(const std::wstring& className);

  HWND WindowHandle = nullptr;
  TControl* Parent = nullptr;
  HWND ParentWindow = nullptr;
  int ClientWidth = 0;
  int ClientHeight = 0;
  int CtrlID = 0;
  bool Redraw = true;
  bool Cached = false;
  bool Locked = false;

  TMouseEvent OnMouseMove, OnMouseHover, OnMouseEnter, OnMouseLeave, OnMouseDown, OnMouseUp,
      OnClick, OnDrag, OnDblClick;
  TMouseWheelEvent OnMouseWheel;
  TSizingEvent OnSizing;
  TSizeEvent OnSize;
  TMoveEvent OnMove;
  TMovingEvent OnMoving;
  TNotifyEvent OnSysTimer, OnSetFocus, OnKillFocus;
  TContextMenuEvent OnContextMenu;
  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TWindowPosChangingEvent OnWindowPosChanging, OnWindowPosChanged;
  TCharEvent OnChar;

private:
  void MoveWindowNow() const;
  void SaveCaption();
  void SendToolInfo(UINT message, UINT flags, bool withText) const;
  void ForwardToParent(TWidgetMessage& message) const;
  static void Reflect(HWND window, TWidgetMessage& message);

  WNDPROC previousWindowProc_ = nullptr;
  HCURSOR cursorHandle_ = nullptr;
  int cursor_ = 0;
  int left_ = 0, top_ = 0, width_ = 1, height_ = 1;
  // The caption while no window exists; empty optional means none at all.
  std::optional<std::wstring> savedCaption_;
  bool visible_ = false;
  bool mouseInside_ = false;
  bool enabled_ = true;
  bool pressed_ = false;
  bool showHint_ = false;
  std::wstring hint_;
  std::wstring classNameW_;
};

// The run time's errors of window operations.
std::wstring OsErrorMessage(DWORD errorCode);
