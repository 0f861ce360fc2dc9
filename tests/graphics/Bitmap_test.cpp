#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "support/GdiPlusEnvironment.h"
#include "support/Pixels.h"
#include "text/Errors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// One pass by hand on a copy, the way the blur is defined: neighbours above
// and to the left already hold this pass's values.
TPixels BlurredByHand(TPixels pixels, int width, int height) {
  for (int y = 1; y < height - 1; ++y)
    for (int x = 1; x < width - 1; ++x) {
      uint32_t result = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        const auto byte = [&](int px, int py) { return (pixels[py * width + px] >> shift) & 0xFF; };
        result |= ((byte(x, y - 1) + byte(x, y + 1) + byte(x - 1, y) + byte(x + 1, y)) >> 2)
                  << shift;
      }
      pixels[y * width + x] = result;
    }
  return pixels;
}

} // namespace

TEST(PixelHelpers, OpacityScalesAllFourBytesWithTruncation) {
  const struct {
    uint8_t opacity;
    uint32_t white, halfRed;
  } cases[] = {
      {255, 0xFEFEFEFE, 0x7F7F0000},
      {128, 0x7F7F7F7F, 0x40400000},
      {0, 0x00000000, 0x00000000},
  };
  for (const auto& c : cases) {
    TBitmapEx bitmap(2, 1);
    SetPixels(bitmap, {0xFFFFFFFF, 0x80800000});
    bitmap.ApplyOpacity(c.opacity);
    EXPECT_EQ(PixelsOf(bitmap), (TPixels{c.white, c.halfRed})) << int(c.opacity);
  }
}

TEST(PixelHelpers, TintDarkensTheColourBytesAndKeepsAlpha) {
  TBitmapEx bitmap(2, 1);
  SetPixels(bitmap, {0xFFFFFFFF, 0x80402010});
  bitmap.Tint(0x00F08040);
  // blue × 0x40, green × 0x80, red × 0xF0, each shifted right by 8.
  EXPECT_EQ(PixelsOf(bitmap), (TPixels{0xFFEF7F3F, 0x803C1004}));
  TBitmapEx grey(1, 1);
  SetPixels(grey, {0xFFFFFFFF});
  grey.Tint(0xFFF0F0F0);
  EXPECT_EQ(PixelsOf(grey), TPixels{0xFFEFEFEF});
}

TEST(PixelHelpers, OneBlurPassOnThreeByThreeChangesOnlyTheCentre) {
  TBitmapEx bitmap(3, 3);
  const TPixels start = {0x00000000, 0x10203040, 0x00000000, 0x01020304, 0xFFFFFFFF,
                         0x05060708, 0x00000000, 0x0A0B0C0D, 0x00000000};
  SetPixels(bitmap, start);
  bitmap.Blur(1);
  TPixels expected = start;
  const uint8_t centre[4] = {(0x40 + 0x0D + 0x04 + 0x08) >> 2, (0x30 + 0x0C + 0x03 + 0x07) >> 2,
                             (0x20 + 0x0B + 0x02 + 0x06) >> 2, (0x10 + 0x0A + 0x01 + 0x05) >> 2};
  std::memcpy(&expected[4], centre, 4);
  EXPECT_EQ(PixelsOf(bitmap), expected);
}

TEST(PixelHelpers, BlurWorksInPlaceAndPassesCompose) {
  const int width = 5, height = 4;
  TPixels start(width * height);
  for (size_t i = 0; i < start.size(); ++i)
    start[i] = static_cast<uint32_t>(i * 0x01030507u + 0x40000000u);
  const TPixels once = BlurredByHand(start, width, height);

  TBitmapEx bitmap(width, height);
  SetPixels(bitmap, start);
  bitmap.Blur(0);
  EXPECT_EQ(PixelsOf(bitmap), start) << "Blur(0)";
  bitmap.Blur(1);
  EXPECT_EQ(PixelsOf(bitmap), once);
  bitmap.Blur(1);
  const TPixels twice = PixelsOf(bitmap);
  EXPECT_EQ(twice, BlurredByHand(once, width, height));

  SetPixels(bitmap, start);
  bitmap.Blur(2);
  EXPECT_EQ(PixelsOf(bitmap), twice) << "Blur(2) is two passes";
}

TEST(PixelHelpers, BlurLeavesNarrowBitmapsAlone) {
  for (const auto& [width, height] : {std::pair{2, 5}, std::pair{5, 2}, std::pair{1, 1}}) {
    TBitmapEx bitmap(width, height);
    TPixels pixels(width * height);
    for (size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = 0x11111111u * static_cast<uint32_t>(i % 15 + 1);
    SetPixels(bitmap, pixels);
    bitmap.Blur(3);
    EXPECT_EQ(PixelsOf(bitmap), pixels) << width << "x" << height;
  }
}

TEST(PixelHelpers, PixelRowSkipsWholeRows) {
  uint8_t bits[4 * 3 * 2] = {};
  EXPECT_EQ(PixelRow(bits, 1, 3), bits + 12);
}

TEST(Bitmap, ANewBitmapIsTransparentAndItsViewsShareThePixels) {
  TBitmapEx bitmap(5, 3);
  EXPECT_EQ(bitmap.Format(), CAIRO_FORMAT_ARGB32);
  EXPECT_EQ(bitmap.Stride(), 20);
  ASSERT_NE(bitmap.Bits(), nullptr);
  ASSERT_NE(bitmap.GetDC(), nullptr);
  EXPECT_EQ(PixelsOf(bitmap), TPixels(15, 0));
  // GDI's own fills write into the same memory (and zero the alpha byte).
  RECT area{1, 1, 2, 2};
  HBRUSH brush = CreateSolidBrush(RGB(0x10, 0x20, 0x30));
  FillRect(bitmap.GetDC(), &area, brush);
  DeleteObject(brush);
  GdiFlush();
  EXPECT_EQ(PixelsOf(bitmap)[6], 0x00102030u);
}

TEST(Bitmap, CloneCopiesEveryByte) {
  TBitmapEx bitmap(3, 2, CAIRO_FORMAT_ARGB32);
  const TPixels pixels = {0x00000000, 0x80402010, 0xFFFFFFFF, 0x01010101, 0x7F000000, 0x20201000};
  SetPixels(bitmap, pixels);
  const auto copy = bitmap.Clone();
  EXPECT_EQ(copy->Width(), 3);
  EXPECT_EQ(copy->Height(), 2);
  EXPECT_EQ(copy->Format(), CAIRO_FORMAT_ARGB32);
  EXPECT_EQ(PixelsOf(*copy), pixels);
  EXPECT_NE(copy->Bits(), bitmap.Bits());
}

TEST(Bitmap, APngResourceDecodesToPremultipliedPixels) {
  const auto bitmap = TBitmapEx::CreateFromResource(GetModuleHandleW(nullptr), L"PNG", 5002);
  ASSERT_EQ(bitmap->Width(), 4);
  EXPECT_EQ(bitmap->Height(), 3);
  EXPECT_EQ(bitmap->Stride(), 16);
  EXPECT_EQ(bitmap->Format(), CAIRO_FORMAT_ARGB32);
  const TPixels pixels = PixelsOf(*bitmap);
  EXPECT_EQ(pixels[0], 0xFFFF0000u);
  EXPECT_EQ(pixels[1], 0xFF00FF00u);
  EXPECT_EQ(pixels[2], 0xFF0000FFu);
  EXPECT_EQ(pixels[3], 0x00000000u) << "transparency is kept";
  EXPECT_EQ(pixels[6], 0xFF000000u);
  const auto withinOne = [](uint32_t actual, uint32_t expected) {
    for (int shift = 0; shift < 32; shift += 8) {
      const int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
      if (a - e > 1 || e - a > 1)
        return false;
    }
    return true;
  };
  EXPECT_TRUE(withinOne(pixels[4], 0x80808080u)) << std::hex << pixels[4];
  EXPECT_TRUE(withinOne(pixels[5], 0x80800000u)) << std::hex << pixels[5];
  EXPECT_TRUE(withinOne(pixels[7], 0xC8081018u)) << std::hex << pixels[7];
  EXPECT_EQ(pixels[8], 0xFFFFFFFFu);
}

TEST(Bitmap, AMissingResourceRaises) {
  EXPECT_THROW(TBitmapEx::CreateFromResource(GetModuleHandleW(nullptr), L"PNG", 4999),
               EResNotFound);
}

TEST(Bitmap, TheGdiPlusViewKeepsPremultipliedPixels) {
  TBitmapEx source(2, 2);
  SetPixels(source, {0x80400000, 0x80404040, 0xFF00FF00, 0x00000000});
  TCanvasEx canvas(2, 2);
  canvas.StretchDrawGdiPlus(source, 0, 0, 2, 2);
  const TPixels drawn = PixelsOf(canvas.Bitmap());
  for (size_t i = 0; i < 4; ++i)
    for (int shift = 0; shift < 32; shift += 8) {
      const int got = (drawn[i] >> shift) & 0xFF;
      const int wanted = (PixelsOf(source)[i] >> shift) & 0xFF;
      EXPECT_NEAR(got, wanted, 1) << "pixel " << i << " byte " << shift / 8;
    }
}
