#include "widgets/GdiObjects.h"

COLORREF ResolveColor(TColor color) {
  return color < 0 ? GetSysColor(color & 0xFF) : static_cast<COLORREF>(color);
}

void TGraphicObject::Assign(const TGraphicObject*) {}

void TGraphicObject::Changed() {
  if (OnChange)
    OnChange(this);
}

TPen::~TPen() {
  if (handle_)
    DeleteObject(handle_);
}

void TPen::Rebuild() {
  if (handle_)
    DeleteObject(handle_);
  handle_ = CreatePen(style_, width_, ResolveColor(color_));
  Changed();
}

void TPen::SetHandle(HPEN handle) {
  if (handle == handle_)
    return;
  if (handle_)
    DeleteObject(handle_);
  handle_ = handle;
  Changed();
}

void TPen::SetColor(TColor color) {
  if (color == color_)
    return;
  color_ = color;
  Rebuild();
}

void TPen::SetStyle(int style) {
  if (style == style_)
    return;
  style_ = style;
  Rebuild();
}

void TPen::SetWidth(int width) {
  if (width == width_)
    return;
  width_ = width;
  Rebuild();
}

TSolidBrush::~TSolidBrush() {
  if (handle_)
    DeleteObject(handle_);
}

void TSolidBrush::Replace(HBRUSH handle) {
  if (handle_)
    DeleteObject(handle_);
  handle_ = handle;
  Changed();
}

void TSolidBrush::SetHandle(HBRUSH handle) {
  if (handle != handle_)
    Replace(handle);
}

void TSolidBrush::SetColor(TColor color) {
  if (color == color_)
    return;
  color_ = static_cast<TColor>(ResolveColor(color));
  Replace(CreateSolidBrush(static_cast<COLORREF>(color_)));
}

void TSolidBrush::SetStyle(int style) {
  if (style == style_)
    return;
  style_ = style;
  Replace(CreateHatchBrush(style_, static_cast<COLORREF>(color_)));
}

void TSolidBrush::Assign(const TGraphicObject* source) {
  const auto* brush = dynamic_cast<const TSolidBrush*>(source);
  if (!brush || brush == this)
    return;
  color_ = brush->color_;
  style_ = brush->style_;
  Replace(CreateSolidBrush(static_cast<COLORREF>(color_)));
}

TFont::TFont() {
  Rebuild();
}

TFont::~TFont() {
  if (handle_)
    DeleteObject(handle_);
}

// Starts from the system's message font, so what is not asked for follows it.
void TFont::Rebuild() {
  if (handle_)
    DeleteObject(handle_);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  if (style_ & 1)
    font.lfWeight = FW_BOLD;
  if (style_ & 2)
    font.lfItalic = 1;
  if (style_ & 4)
    font.lfUnderline = 1;
  if (style_ & 8)
    font.lfStrikeOut = 1;
  const std::wstring face = name_.substr(0, LF_FACESIZE - 1);
  std::copy(face.begin(), face.end(), font.lfFaceName);
  font.lfFaceName[face.size()] = L'\0';
  font.lfCharSet = TURKISH_CHARSET;
  HDC screen = GetDC(nullptr);
  font.lfHeight = -MulDiv(GetDeviceCaps(screen, LOGPIXELSY), size_, 72);
  ReleaseDC(nullptr, screen);
  handle_ = CreateFontIndirectW(&font);
}

void TFont::SetHandle(HFONT handle) {
  if (handle == handle_)
    return;
  if (handle_)
    DeleteObject(handle_);
  handle_ = handle;
  Changed();
}

void TFont::SetSize(int size) {
  if (size == size_)
    return;
  size_ = size;
  Rebuild();
  Changed();
}

void TFont::SetName(const std::wstring& name) {
  if (name == name_)
    return;
  name_ = name;
  Rebuild();
  Changed();
}

void TFont::SetStyle(unsigned style) {
  if (style == style_)
    return;
  style_ = style;
  Rebuild();
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == color_)
    return;
  color_ = static_cast<TColor>(ResolveColor(color));
  Changed();
}

void TFont::Assign(const TGraphicObject* source) {
  const auto* font = dynamic_cast<const TFont*>(source);
  if (!font || font == this)
    return;
  size_ = font->size_;
  name_ = font->name_;
  style_ = font->style_;
  color_ = font->color_;
  Rebuild();
  Changed();
}

TCanvas::TCanvas() {
  font_.OnChange = [this](TGraphicObject*) {
    if (!handle_)
      return;
    SelectObject(handle_, font_.Handle());
    SetTextColor(handle_, ResolveColor(font_.Color()));
    Changed();
  };
  brush_.OnChange = [this](TGraphicObject*) {
    if (!handle_)
      return;
    SelectObject(handle_, brush_.Handle());
    Changed();
  };
  brush_.SetColor(static_cast<TColor>(0x80000000 | COLOR_WINDOW));
  pen_.OnChange = [this](TGraphicObject*) {
    if (!handle_)
      return;
    SelectObject(handle_, pen_.Handle());
    Changed();
  };
  pen_.SetColor(0);
}

void TCanvas::Changed() {
  if (OnChange)
    OnChange(this);
}
