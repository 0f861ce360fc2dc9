#pragma once

#include "graphics/Bitmap.h"
#include "graphics/GraphicObjects.h"

#include <memory>
#include <string>

// The drawing surface of a composited control: a bitmap with a cairo context
// (bitmap compositing) and a GDI+ graphics (text, lines, GDI+ scaling) on it.
class TCanvasEx : public TGraphicObjectEx {
public:
  TCanvasEx(int width, int height, cairo_format_t format = CAIRO_FORMAT_ARGB32);
  ~TCanvasEx() override;
  TCanvasEx(const TCanvasEx&) = delete;
  TCanvasEx& operator=(const TCanvasEx&) = delete;

  // A new, transparent bitmap of that size; settings and drawing objects stay.
  void SetSize(int width, int height);

  void Clear();
  void DrawBitmap(const TBitmapEx& bitmap, int x, int y);
  void DrawBitmapAlpha(const TBitmapEx& bitmap, int x, int y, uint8_t opacity);
  void StretchDraw(const TBitmapEx& bitmap, int x, int y, int width, int height);
  void DrawBitmapPart(const TBitmapEx& bitmap, int x, int y, int sourceX, int sourceY, int width,
                      int height);
  void DrawBitmapPartAlpha(const TBitmapEx& bitmap, int x, int y, int sourceX, int sourceY,
                           int width, int height, uint8_t opacity);
  void DrawBlurred(const TBitmapEx& bitmap, int x, int y, int passes);
  void StretchDrawGdiPlus(const TBitmapEx& bitmap, int x, int y, int width, int height);
  void TileBitmap(const TBitmapEx& bitmap, int left, int top, int right, int bottom);
  void DrawLine(int x1, int y1, int x2, int y2);
  void DrawText(const RECT& rectangle, const std::wstring& text);
  SIZE TextExtent(const std::wstring& text);
  int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
  float TextHeight(const std::wstring& text);
  HDC GetDC() const { return bitmap_->GetDC(); }

  TBitmapEx& Bitmap() const { return *bitmap_; }
  GpGraphics* Graphics() const { return graphics_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  TFontEx& Font() const { return *font_; }
  TSolidBrushEx& Brush() const { return *brush_; }
  TPenEx& Pen() const { return *pen_; }
  TStringFormatEx& StringFormat() const { return *stringFormat_; }

  bool Antialias() const { return antialias_; }
  void SetAntialias(bool antialias);
  Gdiplus::TextRenderingHint TextRenderingHint() const { return textRenderingHint_; }
  void SetTextRenderingHint(Gdiplus::TextRenderingHint hint);
  Gdiplus::SmoothingMode SmoothingMode() const { return smoothingMode_; }
  void SetSmoothingMode(Gdiplus::SmoothingMode mode);
  Gdiplus::InterpolationMode InterpolationMode() const { return interpolationMode_; }
  void SetInterpolationMode(Gdiplus::InterpolationMode mode);
  Gdiplus::PixelOffsetMode PixelOffsetMode() const { return pixelOffsetMode_; }
  void SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode);
  UINT TextContrast() const { return textContrast_; }
  void SetTextContrast(UINT contrast);

  int Warning = 0;

private:
  void CreateHandles();
  void DestroyHandles();
  // Cairo and GDI+ write the same pixels: each side flushes or marks the
  // surface before and after its own drawing.
  void BeginGdiPlus() const;
  void EndGdiPlus() const;

  std::unique_ptr<TBitmapEx> bitmap_;
  cairo_t* cairo_ = nullptr;
  GpGraphics* graphics_ = nullptr;
  int width_;
  int height_;
  cairo_format_t format_;
  std::unique_ptr<TFontEx> font_;
  std::unique_ptr<TSolidBrushEx> brush_;
  std::unique_ptr<TPenEx> pen_;
  bool antialias_ = true;
  Gdiplus::TextRenderingHint textRenderingHint_ = Gdiplus::TextRenderingHintAntiAlias;
  Gdiplus::SmoothingMode smoothingMode_ = Gdiplus::SmoothingModeAntiAlias;
  Gdiplus::InterpolationMode interpolationMode_ = Gdiplus::InterpolationModeNearestNeighbor;
  Gdiplus::PixelOffsetMode pixelOffsetMode_ = Gdiplus::PixelOffsetModeNone;
  UINT textContrast_ = 4;
  std::unique_ptr<TStringFormatEx> stringFormat_;
  GpStringFormat* measuringFormat_ = nullptr;
};
