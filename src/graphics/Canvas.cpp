#include "graphics/Canvas.h"

using namespace Gdiplus::DllExports;

namespace {

Gdiplus::RectF FloatRect(const RECT& rectangle) {
  return Gdiplus::RectF(static_cast<float>(rectangle.left), static_cast<float>(rectangle.top),
                        static_cast<float>(rectangle.right - rectangle.left),
                        static_cast<float>(rectangle.bottom - rectangle.top));
}

// GDI+ measures trailing spaces only with this flag.
constexpr INT MeasureTrailingSpaces = 0x800;

} // namespace

TCanvasEx::TCanvasEx(int width, int height, cairo_format_t format)
    : width_(width), height_(height), format_(format) {
  CreateHandles();
  font_ = std::make_unique<TFontEx>();
  stringFormat_ = std::make_unique<TStringFormatEx>();
  brush_ = std::make_unique<TSolidBrushEx>();
  pen_ = std::make_unique<TPenEx>();
}

TCanvasEx::~TCanvasEx() {
  brush_.reset();
  pen_.reset();
  stringFormat_.reset();
  font_.reset();
  DestroyHandles();
}

void TCanvasEx::CreateHandles() {
  bitmap_ = std::make_unique<TBitmapEx>(width_, height_, format_);
  if (bitmap_->Image())
    cairo_ = cairo_create(bitmap_->Image());
  GdipCreateFromHDC(bitmap_->GetDC(), &graphics_);
  GdipSetTextRenderingHint(graphics_, textRenderingHint_);
  GdipSetSmoothingMode(graphics_, smoothingMode_);
  GdipSetInterpolationMode(graphics_, interpolationMode_);
  GdipSetPixelOffsetMode(graphics_, pixelOffsetMode_);
  GdipSetTextContrast(graphics_, textContrast_);

  GpStringFormat* typographic = nullptr;
  GdipStringFormatGetGenericTypographic(&typographic);
  GdipCloneStringFormat(typographic, &measuringFormat_);
  INT flags = 0;
  GdipGetStringFormatFlags(measuringFormat_, &flags);
  GdipSetStringFormatFlags(measuringFormat_, flags | MeasureTrailingSpaces);
}

// The bitmap goes last: the other two draw into it.
void TCanvasEx::DestroyHandles() {
  if (measuringFormat_)
    GdipDeleteStringFormat(measuringFormat_);
  measuringFormat_ = nullptr;
  if (graphics_)
    GdipDeleteGraphics(graphics_);
  graphics_ = nullptr;
  if (cairo_)
    cairo_destroy(cairo_);
  cairo_ = nullptr;
  bitmap_.reset();
}

void TCanvasEx::SetSize(int width, int height) {
  DestroyHandles();
  width_ = width;
  height_ = height;
  CreateHandles();
}

void TCanvasEx::BeginGdiPlus() const {
  bitmap_->Flush();
}

void TCanvasEx::EndGdiPlus() const {
  GdipFlush(graphics_, Gdiplus::FlushIntentionSync);
  GdiFlush();
  bitmap_->MarkDirty();
}

void TCanvasEx::Clear() {
  if (!cairo_)
    return;
  cairo_save(cairo_);
  cairo_set_operator(cairo_, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cairo_);
  cairo_restore(cairo_);
  BeginGdiPlus();
  GdipGraphicsClear(graphics_, 0);
  EndGdiPlus();
}

void TCanvasEx::DrawBitmap(const TBitmapEx& bitmap, int x, int y) {
  if (!cairo_ || !bitmap.Image())
    return;
  cairo_set_source_surface(cairo_, bitmap.Image(), x, y);
  cairo_paint(cairo_);
}

void TCanvasEx::DrawBitmapAlpha(const TBitmapEx& bitmap, int x, int y, uint8_t opacity) {
  if (!cairo_ || !bitmap.Image())
    return;
  cairo_set_source_surface(cairo_, bitmap.Image(), x, y);
  if (opacity == 255)
    cairo_paint(cairo_);
  else
    cairo_paint_with_alpha(cairo_, opacity / 255.0);
}

void TCanvasEx::StretchDraw(const TBitmapEx& bitmap, int x, int y, int width, int height) {
  if (width == bitmap.Width() && height == bitmap.Height()) {
    DrawBitmap(bitmap, x, y);
    return;
  }
  if (!cairo_ || !bitmap.Image() || bitmap.Width() <= 0 || bitmap.Height() <= 0 || width <= 0 ||
      height <= 0)
    return;
  cairo_save(cairo_);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(bitmap.Image());
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  cairo_matrix_t scale;
  cairo_matrix_init_scale(&scale, static_cast<float>(bitmap.Width()) / static_cast<float>(width),
                          static_cast<float>(bitmap.Height()) / static_cast<float>(height));
  cairo_pattern_set_matrix(pattern, &scale);
  cairo_translate(cairo_, x, y);
  cairo_set_source(cairo_, pattern);
  cairo_rectangle(cairo_, 0, 0, width, height);
  cairo_clip(cairo_);
  cairo_paint(cairo_);
  cairo_pattern_destroy(pattern);
  cairo_restore(cairo_);
}

void TCanvasEx::DrawBitmapPart(const TBitmapEx& bitmap, int x, int y, int sourceX, int sourceY,
                               int width, int height) {
  if (!cairo_ || !bitmap.Image())
    return;
  cairo_set_source_surface(cairo_, bitmap.Image(), x - sourceX, y - sourceY);
  cairo_rectangle(cairo_, x, y, width, height);
  cairo_fill(cairo_);
}

void TCanvasEx::DrawBitmapPartAlpha(const TBitmapEx& bitmap, int x, int y, int sourceX, int sourceY,
                                    int width, int height, uint8_t opacity) {
  if (!cairo_ || !bitmap.Image())
    return;
  cairo_save(cairo_);
  cairo_rectangle(cairo_, x, y, width, height);
  cairo_clip(cairo_);
  cairo_set_source_surface(cairo_, bitmap.Image(), x - sourceX, y - sourceY);
  cairo_paint_with_alpha(cairo_, opacity / 255.0);
  cairo_restore(cairo_);
}

void TCanvasEx::DrawBlurred(const TBitmapEx& bitmap, int x, int y, int passes) {
  const auto copy = bitmap.Clone();
  copy->Blur(passes);
  DrawBitmap(*copy, x, y);
}

void TCanvasEx::StretchDrawGdiPlus(const TBitmapEx& bitmap, int x, int y, int width, int height) {
  GpBitmap* image = bitmap.CreateGPBitmap();
  if (!image)
    return;
  BeginGdiPlus();
  GdipDrawImageRectI(graphics_, image, x, y, width, height);
  EndGdiPlus();
  GdipDisposeImage(image);
}

void TCanvasEx::TileBitmap(const TBitmapEx& bitmap, int left, int top, int right, int bottom) {
  if (!cairo_ || !bitmap.Image())
    return;
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(bitmap.Image());
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_save(cairo_);
  cairo_set_source(cairo_, pattern);
  cairo_rectangle(cairo_, left, top, right - left, bottom - top);
  cairo_fill(cairo_);
  cairo_restore(cairo_);
  cairo_pattern_destroy(pattern);
}

void TCanvasEx::DrawLine(int x1, int y1, int x2, int y2) {
  BeginGdiPlus();
  GdipDrawLineI(graphics_, pen_->Handle(), x1, y1, x2, y2);
  EndGdiPlus();
}

void TCanvasEx::DrawText(const RECT& rectangle, const std::wstring& text) {
  const Gdiplus::RectF layout = FloatRect(rectangle);
  BeginGdiPlus();
  GdipDrawString(graphics_, text.c_str(), static_cast<INT>(text.size()), font_->Handle(), &layout,
                 stringFormat_->Handle(), font_->Brush());
  EndGdiPlus();
}

SIZE TCanvasEx::TextExtent(const std::wstring& text) {
  const Gdiplus::RectF layout(0, 0, 0, 0);
  Gdiplus::RectF box;
  GdipMeasureString(graphics_, text.c_str(), static_cast<INT>(text.size()), font_->Handle(),
                    &layout, stringFormat_->Handle(), &box, nullptr, nullptr);
  return SIZE{static_cast<LONG>(box.Width + 1.0f), static_cast<LONG>(box.Height + 1.0f)};
}

float TCanvasEx::TextHeight(const std::wstring& text) {
  const Gdiplus::RectF layout(0, 0, 0, 0);
  Gdiplus::RectF box;
  GdipMeasureString(graphics_, text.c_str(), static_cast<INT>(text.size()), font_->Handle(),
                    &layout, measuringFormat_, &box, nullptr, nullptr);
  return box.Height;
}

void TCanvasEx::SetAntialias(bool antialias) {
  if (antialias == antialias_)
    return;
  antialias_ = antialias;
  SetTextRenderingHint(antialias ? Gdiplus::TextRenderingHintAntiAlias
                                 : Gdiplus::TextRenderingHintAntiAliasGridFit);
}

void TCanvasEx::SetTextRenderingHint(Gdiplus::TextRenderingHint hint) {
  if (hint == textRenderingHint_)
    return;
  textRenderingHint_ = hint;
  GdipSetTextRenderingHint(graphics_, hint);
}

void TCanvasEx::SetSmoothingMode(Gdiplus::SmoothingMode mode) {
  if (mode == smoothingMode_)
    return;
  smoothingMode_ = mode;
  GdipSetSmoothingMode(graphics_, mode);
}

void TCanvasEx::SetInterpolationMode(Gdiplus::InterpolationMode mode) {
  if (mode == interpolationMode_)
    return;
  interpolationMode_ = mode;
  GdipSetInterpolationMode(graphics_, mode);
}

void TCanvasEx::SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode) {
  if (mode == pixelOffsetMode_)
    return;
  pixelOffsetMode_ = mode;
  GdipSetPixelOffsetMode(graphics_, mode);
}

void TCanvasEx::SetTextContrast(UINT contrast) {
  if (contrast == textContrast_)
    return;
  textContrast_ = contrast;
  GdipSetTextContrast(graphics_, contrast);
}
