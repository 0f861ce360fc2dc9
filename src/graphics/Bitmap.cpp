#include "graphics/Bitmap.h"

#include "graphics/StreamAdapter.h"

#include <algorithm>

using namespace Gdiplus::DllExports;

void ScalePixels(uint8_t* bits, int width, int height, uint8_t opacity) {
  const size_t bytes = static_cast<size_t>(width) * height * 4;
  for (size_t i = 0; i < bytes; ++i)
    bits[i] = static_cast<uint8_t>((bits[i] * opacity) >> 8);
}

void TintPixels(uint8_t* bits, int width, int height, uint8_t blue, uint8_t green, uint8_t red) {
  const size_t pixels = static_cast<size_t>(width) * height;
  for (size_t i = 0; i < pixels; ++i, bits += 4) {
    bits[0] = static_cast<uint8_t>(std::min((bits[0] * blue) >> 8, 255));
    bits[1] = static_cast<uint8_t>(std::min((bits[1] * green) >> 8, 255));
    bits[2] = static_cast<uint8_t>(std::min((bits[2] * red) >> 8, 255));
  }
}

uint8_t* PixelRow(uint8_t* bits, int row, int width) {
  return bits + static_cast<size_t>(row) * width * 4;
}

// In place, top to bottom and left to right: the pixels above and to the left
// already hold this pass's values, which is what spreads content downward.
void BlurPixels(uint8_t* bits, int firstColumn, int firstRow, int width, int height) {
  const int stride = width * 4;
  for (int y = std::max(firstRow, 1); y <= height - 2; ++y) {
    uint8_t* row = PixelRow(bits, y, width);
    for (int x = std::max(firstColumn, 1); x <= width - 2; ++x) {
      uint8_t* pixel = row + x * 4;
      for (int channel = 0; channel < 4; ++channel) {
        const int sum = pixel[channel - stride] + pixel[channel + stride] + pixel[channel - 4] +
                        pixel[channel + 4];
        pixel[channel] = static_cast<uint8_t>(sum >> 2);
      }
    }
  }
}

TBitmapEx::TBitmapEx(int width, int height, cairo_format_t format)
    : format_(format), height_(height), width_(width) {
  surface_ = cairo_win32_surface_create_with_dib(format_, width_, height_);
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
    return;
  dc_ = cairo_win32_surface_get_dc(surface_);
  image_ = cairo_win32_surface_get_image(surface_);
  if (!image_)
    return;
  stride_ = cairo_image_surface_get_stride(image_);
  bits_ = cairo_image_surface_get_data(image_);
}

TBitmapEx::~TBitmapEx() {
  cairo_surface_destroy(surface_);
}

std::unique_ptr<TBitmapEx>
TBitmapEx::CreateFromResource(HMODULE instance, const wchar_t* resourceType, int resourceId) {
  auto stream =
      std::make_unique<TResourceStream>(instance, MAKEINTRESOURCEW(resourceId), resourceType);
  IStream* adapter = new TStreamAdapter(stream.release(), TStreamOwnership::Owned);
  adapter->AddRef();
  GpBitmap* decoded = nullptr;
  GdipCreateBitmapFromStream(adapter, &decoded);
  UINT width = 0;
  UINT height = 0;
  GdipGetImageWidth(decoded, &width);
  GdipGetImageHeight(decoded, &height);

  auto bitmap = std::make_unique<TBitmapEx>(static_cast<int>(width), static_cast<int>(height));
  GpGraphics* graphics = nullptr;
  GdipCreateFromHDC(bitmap->dc_, &graphics);
  GdipDrawImageRectI(graphics, decoded, 0, 0, static_cast<INT>(width), static_cast<INT>(height));
  GdipDeleteGraphics(graphics);
  bitmap->MarkDirty();
  if (decoded)
    GdipDisposeImage(decoded);
  adapter->Release();
  return bitmap;
}

std::unique_ptr<TBitmapEx> TBitmapEx::CreateCopy(const TBitmapEx& source) {
  auto copy = std::make_unique<TBitmapEx>(source.width_, source.height_, source.format_);
  if (!copy->image_ || !source.image_)
    return copy;
  source.Flush();
  cairo_t* context = cairo_create(copy->image_);
  cairo_set_source_surface(context, source.image_, 0, 0);
  cairo_paint(context);
  cairo_destroy(context);
  copy->Flush();
  return copy;
}

bool TBitmapEx::HasPixels() const {
  return bits_ && format_ == CAIRO_FORMAT_ARGB32 && width_ > 0 && height_ > 0;
}

void TBitmapEx::Blur(int passes) {
  if (!HasPixels())
    return;
  Flush();
  for (int i = 0; i < passes; ++i)
    BlurPixels(bits_, 0, 0, width_, height_);
  MarkDirty();
}

void TBitmapEx::ApplyOpacity(uint8_t opacity) {
  if (!HasPixels())
    return;
  Flush();
  ScalePixels(bits_, width_, height_, opacity);
  MarkDirty();
}

void TBitmapEx::Tint(ARGB color) {
  if (!HasPixels())
    return;
  Flush();
  TintPixels(bits_, width_, height_, static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8),
             static_cast<uint8_t>(color >> 16));
  MarkDirty();
}

// The pixels are premultiplied: wrapped as straight ARGB, GDI+ would multiply
// them by alpha a second time and darken every translucent pixel it draws.
GpBitmap* TBitmapEx::CreateGPBitmap() const {
  Flush();
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(width_, height_, stride_, PixelFormat32bppPARGB, bits_, &bitmap);
  return bitmap;
}

void TBitmapEx::MarkDirty() const {
  if (surface_)
    cairo_surface_mark_dirty(surface_);
  if (image_)
    cairo_surface_mark_dirty(image_);
}

void TBitmapEx::Flush() const {
  if (image_)
    cairo_surface_flush(image_);
  if (surface_)
    cairo_surface_flush(surface_);
  GdiFlush();
}
