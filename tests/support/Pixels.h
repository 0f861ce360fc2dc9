#pragma once

#include "graphics/Bitmap.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

// A bitmap's pixels as 32-bit values 0xAARRGGBB, row after row.
using TPixels = std::vector<uint32_t>;

inline TPixels PixelsOf(const TBitmapEx& bitmap) {
  bitmap.Flush();
  TPixels pixels(static_cast<size_t>(bitmap.Width()) * bitmap.Height());
  std::memcpy(pixels.data(), bitmap.Bits(), pixels.size() * 4);
  return pixels;
}

inline void SetPixels(TBitmapEx& bitmap, const TPixels& pixels) {
  bitmap.Flush();
  std::memcpy(bitmap.Bits(), pixels.data(), pixels.size() * 4);
  bitmap.MarkDirty();
}

inline std::unique_ptr<TBitmapEx> BitmapOf(int width, int height, const TPixels& pixels) {
  auto bitmap = std::make_unique<TBitmapEx>(width, height);
  SetPixels(*bitmap, pixels);
  return bitmap;
}
