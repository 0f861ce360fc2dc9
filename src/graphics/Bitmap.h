#pragma once

#include "graphics/GdiPlus.h"

#include <cairo-win32.h>
#include <cairo.h>

#include <cstdint>
#include <memory>

// Pixel helpers over premultiplied ARGB32 memory (bytes blue, green, red,
// alpha), width × 4 bytes per row; width and height are at least 1.
void ScalePixels(uint8_t* bits, int width, int height, uint8_t opacity);
void TintPixels(uint8_t* bits, int width, int height, uint8_t blue, uint8_t green, uint8_t red);
uint8_t* PixelRow(uint8_t* bits, int row, int width);
// One in-place pass averaging each pixel's four neighbours; the outermost rows
// and columns never change.
void BlurPixels(uint8_t* bits, int firstColumn, int firstRow, int width, int height);

// A 32-bit image in a DIB section that cairo (Surface, Image), plain memory
// (Bits) and GDI/GDI+ (DC) address at once.
class TBitmapEx {
public:
  TBitmapEx(int width, int height, cairo_format_t format = CAIRO_FORMAT_ARGB32);
  // Decodes a PNG resource; raises EResNotFound when there is none.
  static std::unique_ptr<TBitmapEx> CreateFromResource(HMODULE instance,
                                                       const wchar_t* resourceType, int resourceId);
  static std::unique_ptr<TBitmapEx> CreateCopy(const TBitmapEx& source);
  ~TBitmapEx();
  TBitmapEx(const TBitmapEx&) = delete;
  TBitmapEx& operator=(const TBitmapEx&) = delete;

  std::unique_ptr<TBitmapEx> Clone() const { return CreateCopy(*this); }
  void Blur(int passes);
  void ApplyOpacity(uint8_t opacity);
  void Tint(ARGB color);
  // A GDI+ view of the same pixels, owned by the caller and released before
  // this bitmap.
  GpBitmap* CreateGPBitmap() const;
  HDC GetDC() const { return dc_; }

  cairo_surface_t* Surface() const { return surface_; }
  cairo_surface_t* Image() const { return image_; }
  cairo_format_t Format() const { return format_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }
  uint8_t* Bits() const { return bits_; }

  // Cairo caches what it drew; after GDI or GDI+ wrote the pixels it must be
  // told, and before they read or write them it must flush.
  void MarkDirty() const;
  void Flush() const;

private:
  bool HasPixels() const;

  cairo_surface_t* surface_ = nullptr;
  cairo_surface_t* image_ = nullptr;
  cairo_format_t format_;
  int height_;
  int width_;
  int stride_ = 0;
  uint8_t* bits_ = nullptr;
  HDC dc_ = nullptr;
};
