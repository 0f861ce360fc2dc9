#include "graphics/GraphicObjects.h"

using namespace Gdiplus::DllExports;

void TGraphicObjectEx::Changed() {
  if (OnChange)
    OnChange(this);
}

void TGraphicObjectEx::Assign(const TGraphicObjectEx*) {}

TSolidBrushEx::TSolidBrushEx() {
  CreateHandle();
}

TSolidBrushEx::~TSolidBrushEx() {
  DestroyHandle();
}

void TSolidBrushEx::CreateHandle() {
  GdipCreateSolidFill(color_, &brush_);
}

void TSolidBrushEx::DestroyHandle() {
  if (brush_)
    GdipDeleteBrush(brush_);
  brush_ = nullptr;
}

GpBrush* TSolidBrushEx::GetHandle() const {
  return brush_;
}

void TSolidBrushEx::Assign(const TGraphicObjectEx* source) {
  const auto* brush = dynamic_cast<const TSolidBrushEx*>(source);
  if (!brush)
    return;
  DestroyHandle();
  color_ = brush->color_;
  CreateHandle();
}

void TSolidBrushEx::SetColor(ARGB color) {
  if (color == color_)
    return;
  color_ = color;
  GdipSetSolidFillColor(brush_, color_);
}

TPenEx::TPenEx() {
  CreateHandle();
}

TPenEx::~TPenEx() {
  DestroyHandle();
}

void TPenEx::CreateHandle() {
  GdipCreatePen1(color_, width_, Gdiplus::UnitWorld, &pen_);
  GdipSetPenDashStyle(pen_, style_);
  GdipSetPenMode(pen_, Gdiplus::PenAlignmentInset);
  GdipSetPenLineJoin(pen_, Gdiplus::LineJoinMiterClipped);
}

void TPenEx::DestroyHandle() {
  if (pen_)
    GdipDeletePen(pen_);
  pen_ = nullptr;
}

void TPenEx::Assign(const TGraphicObjectEx* source) {
  const auto* pen = dynamic_cast<const TPenEx*>(source);
  if (!pen)
    return;
  DestroyHandle();
  color_ = pen->color_;
  width_ = pen->width_;
  style_ = pen->style_;
  CreateHandle();
}

void TPenEx::SetColor(ARGB color) {
  if (color == color_)
    return;
  color_ = color;
  GdipSetPenColor(pen_, color_);
}

void TPenEx::SetWidth(float width) {
  if (width == width_)
    return;
  width_ = width;
  GdipSetPenWidth(pen_, width_);
}

void TPenEx::SetStyle(Gdiplus::DashStyle style) {
  if (style == style_)
    return;
  style_ = style;
  GdipSetPenDashStyle(pen_, style_);
}

TStringFormatEx::TStringFormatEx() {
  GdipCreateStringFormat(0, LANG_NEUTRAL, &format_);
  GdipSetStringFormatFlags(format_, formatFlags_);
  GdipSetStringFormatAlign(format_, alignment_);
  GdipSetStringFormatLineAlign(format_, lineAlignment_);
  GdipSetStringFormatHotkeyPrefix(format_, hotkeyPrefix_);
  GdipSetStringFormatTrimming(format_, trimming_);
}

TStringFormatEx::~TStringFormatEx() {
  if (format_)
    GdipDeleteStringFormat(format_);
}

void TStringFormatEx::Assign(const TGraphicObjectEx* source) {
  const auto* format = dynamic_cast<const TStringFormatEx*>(source);
  if (!format)
    return;
  SetFormatFlags(format->formatFlags_);
  SetAlignment(format->alignment_);
  SetHotkeyPrefix(format->hotkeyPrefix_);
  SetLineAlignment(format->lineAlignment_);
  SetTrimming(format->trimming_);
}

void TStringFormatEx::SetFormatFlags(INT flags) {
  if (flags == formatFlags_)
    return;
  formatFlags_ = flags;
  GdipSetStringFormatFlags(format_, formatFlags_);
}

void TStringFormatEx::SetAlignment(Gdiplus::StringAlignment alignment) {
  if (alignment == alignment_)
    return;
  alignment_ = alignment;
  GdipSetStringFormatAlign(format_, alignment_);
}

void TStringFormatEx::SetHotkeyPrefix(Gdiplus::HotkeyPrefix prefix) {
  if (prefix == hotkeyPrefix_)
    return;
  hotkeyPrefix_ = prefix;
  GdipSetStringFormatHotkeyPrefix(format_, hotkeyPrefix_);
}

void TStringFormatEx::SetLineAlignment(Gdiplus::StringAlignment alignment) {
  if (alignment == lineAlignment_)
    return;
  lineAlignment_ = alignment;
  GdipSetStringFormatLineAlign(format_, lineAlignment_);
}

void TStringFormatEx::SetTrimming(Gdiplus::StringTrimming trimming) {
  if (trimming == trimming_)
    return;
  trimming_ = trimming;
  GdipSetStringFormatTrimming(format_, trimming_);
}

ARGB FontColor(ARGB color) {
  return (color >> 24) == 0xFF ? (color & 0x00FFFFFF) | 0xFE000000 : color;
}

TFontEx::TFontEx() : format_(std::make_unique<TStringFormatEx>()) {
  GdipCreateSolidFill(color_, &brush_);
  CreateHandle();
}

TFontEx::~TFontEx() {
  DestroyHandle();
  if (brush_)
    GdipDeleteBrush(brush_);
}

// A family that is not installed, or that cannot make this font, falls back
// to the generic sans-serif family.
void TFontEx::CreateHandle() {
  GpFontFamily* family = nullptr;
  if (GdipCreateFontFamilyFromName(name_.c_str(), nullptr, &family) == Gdiplus::Ok) {
    GdipCreateFont(family, static_cast<float>(size_), style_, Gdiplus::UnitPoint, &font_);
    GdipDeleteFontFamily(family);
  }
  if (font_)
    return;
  family = nullptr;
  GdipGetGenericFontFamilySansSerif(&family);
  GdipCreateFont(family, static_cast<float>(size_), style_, Gdiplus::UnitPoint, &font_);
  if (family)
    GdipDeleteFontFamily(family);
}

void TFontEx::DestroyHandle() {
  if (font_)
    GdipDeleteFont(font_);
  font_ = nullptr;
}

void TFontEx::Recreate() {
  DestroyHandle();
  CreateHandle();
  Changed();
}

void TFontEx::Assign(const TGraphicObjectEx* source) {
  const auto* font = dynamic_cast<const TFontEx*>(source);
  if (!font)
    return;
  DestroyHandle();
  color_ = font->color_;
  name_ = font->name_;
  size_ = font->size_;
  style_ = font->style_;
  GdipSetSolidFillColor(brush_, color_);
  format_->Assign(font->format_.get());
  CreateHandle();
  Changed();
}

void TFontEx::SetColor(ARGB color) {
  color = FontColor(color);
  if (color == color_)
    return;
  color_ = color;
  GdipSetSolidFillColor(brush_, color_);
}

void TFontEx::SetName(const std::wstring& name) {
  if (name == name_)
    return;
  name_ = name;
  Recreate();
}

void TFontEx::SetSize(int size) {
  if (size == size_)
    return;
  size_ = size;
  Recreate();
}

void TFontEx::SetStyle(INT style) {
  if (style == style_)
    return;
  style_ = style;
  Recreate();
}
