#include "widgets/ControlEx.h"

namespace {

class TRenderGuard {
public:
  explicit TRenderGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~TRenderGuard() { flag_ = false; }
  TRenderGuard(const TRenderGuard&) = delete;
  TRenderGuard& operator=(const TRenderGuard&) = delete;

private:
  bool& flag_;
};

TControl* ControlOfWindow(HWND window) {
  return static_cast<TControl*>(GetPropW(window, MAKEINTATOM(WidgetAtom)));
}

} // namespace

TControlEx::TControlEx(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TCanvasEx>(1, 1)) {
  canvas_->Font().OnChange = [this](TGraphicObjectEx*) { Perform(WGM_FONTCHANGED, 0, 0); };
}

TControlEx::~TControlEx() {
  canvas_->Font().OnChange = nullptr;
}

void TControlEx::ResizeCanvas() {
  if (Width() != canvas_->Width() || Height() != canvas_->Height())
    canvas_->SetSize(Width(), Height());
}

void TControlEx::WMSize(TWidgetMessage& message) {
  TControl::WMSize(message);
  ResizeCanvas();
}

void TControlEx::CreateWnd() {
  TControl::CreateWnd();
  canvas_->SetSize(Width(), Height());
}

// A Cached control paints once and is then only re-composited until Redraw is
// set again; a Locked one keeps its last bitmap and skips its children.
void TControlEx::Render() {
  if (rendering_)
    return;
  TRenderGuard guard(rendering_);
  if (!HasWindow())
    return;
  if (Redraw) {
    if (!Locked)
      Paint();
    Redraw = !Cached;
  }
  if (!Locked)
    RenderChildren();
  Present();
}

// Bottom of the z-order first, so the topmost child window ends on top.
void TControlEx::RenderChildren() {
  HWND child = GetWindow(WindowHandle, GW_CHILD);
  if (!child)
    return;
  for (child = GetWindow(child, GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
    TControl* control = ControlOfWindow(child);
    if (control && control->Visible())
      control->Render();
  }
}

void TControlEx::Paint() {
  canvas_->Clear();
  if (OnPaint)
    OnPaint(this);
}

void TControlEx::Present() {
  if (!Parent)
    return;
  auto* parent = dynamic_cast<TControlEx*>(Parent);
  if (!parent)
    throw std::bad_cast();
  parent->Canvas().DrawBitmapAlpha(canvas_->Bitmap(), Left(), Top(), opacity_);
}

void TControlEx::Refresh() {
  if (Parent)
    Parent->Refresh();
}
