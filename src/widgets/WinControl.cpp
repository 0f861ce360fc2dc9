#include "widgets/WinControl.h"

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  font_.OnChange = [this](TGraphicObject*) {
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 1);
    Invalidate();
  };
  brush_.SetColor(0x008000);
  brush_.OnChange = [this](TGraphicObject*) { Invalidate(); };
  pen_.OnChange = [this](TGraphicObject*) { Invalidate(); };
}

void TWinControl::CreateHandle() {
  TControl::CreateHandle();
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 1);
}

void TWinControl::WndProc(TWidgetMessage& message) {
  switch (message.Msg) {
  case WM_PAINT: WMPaint(message); return;
  case WM_ERASEBKGND: WMEraseBkgnd(message); return;
  case WM_NCPAINT: WMNCPaint(message); return;
  default: TControl::WndProc(message);
  }
}

void TWinControl::Invalidate() {
  if (HasWindow())
    InvalidateRect(WindowHandle, nullptr, TRUE);
}

void TWinControl::WMPaint(TWidgetMessage& message) {
  CallDefaultProc(message);
}

void TWinControl::WMNCPaint(TWidgetMessage& message) {
  CallDefaultProc(message);
}

void TWinControl::WMEraseBkgnd(TWidgetMessage& message) {
  CallDefaultProc(message);
}

TWindow::TWindow(TComponent* owner) : TWinControl(owner) {
  SetSize(320, 240);
  Brush().SetColor(static_cast<TColor>(0x80000000 | COLOR_BTNFACE));
}

void TWindow::CreateParams(TWidgetCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = WS_OVERLAPPEDWINDOW | (Enabled() ? 0 : WS_DISABLED);
  params.ExStyle = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
}

void TWindow::WndProc(TWidgetMessage& message) {
  switch (message.Msg) {
  case WM_CREATE: WMCreate(message); return;
  case WM_DESTROY: WMDestroy(message); return;
  case WM_ACTIVATE: WMActivate(message); return;
  case WM_CLOSE: WMClose(message); return;
  case WM_MOUSEACTIVATE: WMMouseActivate(message); return;
  case WM_TIMER: WMTimer(message); return;
  default: TWinControl::WndProc(message);
  }
}

void TWindow::WMCreate(TWidgetMessage& message) {
  TWinControl::WMCreate(message);
  AfterCreate();
}

void TWindow::WMDestroy(TWidgetMessage& message) {
  TWinControl::WMDestroy(message);
}

// A context in WParam is painted into directly, without BeginPaint.
void TWindow::WMPaint(TWidgetMessage& message) {
  PAINTSTRUCT paint{};
  const bool ownContext = message.WParam == 0;
  HDC context = ownContext ? BeginPaint(WindowHandle, &paint) : reinterpret_cast<HDC>(message.WParam);
  struct TDetach {
    TWindow& window;
    bool ownContext;
    PAINTSTRUCT& paint;
    ~TDetach() {
      if (ownContext)
        EndPaint(window.WindowHandle, &paint);
      window.Canvas().SetHandle(nullptr);
    }
  } detach{*this, ownContext, paint};
  Canvas().SetHandle(context);
  SetViewportOrgEx(context, 0, 0, nullptr);
  SetViewportExtEx(context, Width(), Height(), nullptr);
  Canvas().Brush().Assign(&Brush());
  Canvas().Font().Assign(&Font());
  Render();
}

void TWindow::WMClose(TWidgetMessage&) {
  TCloseAction action = caFree;
  if (OnClose)
    OnClose(this, action);
  if (action == caHide)
    Hide();
  else if (action == caFree)
    DestroyWindow(WindowHandle);
}

void TWindow::WMActivate(TWidgetMessage& message) {
  if (OnActivate)
    OnActivate(this, LOWORD(message.WParam), reinterpret_cast<HWND>(message.LParam));
}

void TWindow::WMMouseActivate(TWidgetMessage& message) {
  int result = MA_ACTIVATE;
  if (OnMouseActivate)
    OnMouseActivate(this, LOWORD(message.LParam), HIWORD(message.LParam), result);
  message.Result = result;
}

void TWindow::WMTimer(TWidgetMessage& message) {
  if (OnTimer)
    OnTimer(this, static_cast<int>(message.WParam));
}

void TWindow::AfterCreate() {
  if (HasWindow())
    ApplyOpacity();
  if (OnCreate)
    OnCreate(this);
}

// Looked up at run time: systems without layered windows simply stay opaque.
void TWindow::ApplyOpacity() const {
  using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  static const auto setAttributes = reinterpret_cast<TSetLayeredWindowAttributes>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"),
                                             "SetLayeredWindowAttributes")));
  if (setAttributes)
    setAttributes(WindowHandle, 0, opacity_, LWA_ALPHA);
}

void TWindow::SetOpacity(uint8_t opacity) {
  if (opacity == opacity_)
    return;
  opacity_ = opacity;
  if (HasWindow())
    ApplyOpacity();
}
