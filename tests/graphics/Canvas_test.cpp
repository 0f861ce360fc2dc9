#include "graphics/Canvas.h"
#include "support/GdiPlusEnvironment.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Gdiplus::DllExports;

namespace {

// A bitmap whose every pixel is distinct and translucent.
std::unique_ptr<TBitmapEx> Gradient(int width, int height) {
  TPixels pixels(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t alpha = 0x80 + (x + y) % 0x7F;
      pixels[y * width + x] = alpha << 24 | (x % alpha) << 16 | (y % alpha) << 8 | (alpha / 2);
    }
  return BitmapOf(width, height, pixels);
}

void Fill(TCanvasEx& canvas, uint32_t pixel) {
  const TPixels pixels(static_cast<size_t>(canvas.Width()) * canvas.Height(), pixel);
  canvas.DrawBitmap(*BitmapOf(canvas.Width(), canvas.Height(), pixels), 0, 0);
}

bool ValidPremultiplied(uint32_t pixel) {
  const uint32_t alpha = pixel >> 24;
  return ((pixel >> 16) & 0xFF) <= alpha && ((pixel >> 8) & 0xFF) <= alpha &&
         (pixel & 0xFF) <= alpha;
}

} // namespace

TEST(Canvas, ClearMakesEveryByteZeroAfterCairoAndGdiPlusDrew) {
  TCanvasEx canvas(8, 6);
  Fill(canvas, 0xFF112233);
  canvas.DrawLine(0, 0, 7, 5);
  canvas.Clear();
  EXPECT_EQ(PixelsOf(canvas.Bitmap()), TPixels(48, 0));
}

TEST(Canvas, DrawBitmapAlphaAtFullAndZeroOpacity) {
  const auto source = Gradient(6, 4);
  TCanvasEx plain(8, 8), full(8, 8), none(8, 8);
  Fill(plain, 0x40102030);
  Fill(full, 0x40102030);
  Fill(none, 0x40102030);
  plain.DrawBitmap(*source, 1, 2);
  full.DrawBitmapAlpha(*source, 1, 2, 255);
  none.DrawBitmapAlpha(*source, 1, 2, 0);
  EXPECT_EQ(PixelsOf(full.Bitmap()), PixelsOf(plain.Bitmap()));
  EXPECT_EQ(PixelsOf(none.Bitmap()), TPixels(64, 0x40102030));
}

TEST(Canvas, StretchDrawSamplesNearestAndTakesShortcuts) {
  const auto pair = BitmapOf(2, 1, {0xFFFF0000, 0x800000FF});
  TCanvasEx wide(4, 1);
  wide.StretchDraw(*pair, 0, 0, 4, 1);
  EXPECT_EQ(PixelsOf(wide.Bitmap()), (TPixels{0xFFFF0000, 0xFFFF0000, 0x800000FF, 0x800000FF}));

  const auto source = Gradient(5, 3);
  TCanvasEx same(7, 5), plain(7, 5);
  same.StretchDraw(*source, 1, 1, 5, 3);
  plain.DrawBitmap(*source, 1, 1);
  EXPECT_EQ(PixelsOf(same.Bitmap()), PixelsOf(plain.Bitmap()));

  TCanvasEx untouched(4, 4);
  Fill(untouched, 0x20202020);
  untouched.StretchDraw(*source, 0, 0, 0, 3);
  untouched.StretchDraw(*source, 0, 0, 3, -1);
  EXPECT_EQ(PixelsOf(untouched.Bitmap()), TPixels(16, 0x20202020));
}

TEST(Canvas, StretchDrawToAQuarterKeepsEveryFourthPixel) {
  const auto source = Gradient(8, 8);
  TCanvasEx canvas(2, 2);
  canvas.StretchDraw(*source, 0, 0, 2, 2);
  const TPixels all = PixelsOf(*source);
  const TPixels drawn = PixelsOf(canvas.Bitmap());
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      const uint32_t pixel = drawn[y * 2 + x];
      bool found = false;
      for (int sy = y * 4; sy < y * 4 + 4; ++sy)
        for (int sx = x * 4; sx < x * 4 + 4; ++sx)
          found = found || all[sy * 8 + sx] == pixel;
      EXPECT_TRUE(found) << "pixel " << x << "," << y << " is one of its own block";
    }
}

TEST(Canvas, DrawBitmapPartShowsOneFrameOfTheThrobberStrip) {
  TPixels strip(18 * 324);
  for (int frame = 0; frame < 18; ++frame)
    for (int i = 0; i < 18 * 18; ++i)
      strip[frame * 18 * 18 + i] = 0xFF000000u | static_cast<uint32_t>(frame) << 16 | i;
  const auto throbber = BitmapOf(18, 324, strip);

  TCanvasEx exact(18, 18);
  exact.DrawBitmapPart(*throbber, 0, 0, 0, 36, 18, 18);
  const TPixels frame2(strip.begin() + 2 * 18 * 18, strip.begin() + 3 * 18 * 18);
  EXPECT_EQ(PixelsOf(exact.Bitmap()), frame2);

  TCanvasEx larger(30, 30);
  Fill(larger, 0x10101010);
  larger.DrawBitmapPart(*throbber, 5, 7, 0, 36, 18, 18);
  larger.DrawBitmapPartAlpha(*throbber, 5, 7, 0, 36, 18, 18, 0);
  const TPixels pixels = PixelsOf(larger.Bitmap());
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = x >= 5 && x < 23 && y >= 7 && y < 25;
      const uint32_t expected = inside ? frame2[(y - 7) * 18 + (x - 5)] : 0x10101010;
      ASSERT_EQ(pixels[y * 30 + x], expected) << x << "," << y;
    }
}

TEST(Canvas, DrawBitmapPartAlphaBlendsOnlyInsideTheRectangle) {
  const auto source = BitmapOf(2, 2, TPixels(4, 0xFFFFFFFF));
  TCanvasEx canvas(3, 1);
  canvas.DrawBitmapPartAlpha(*source, 1, 0, 0, 0, 1, 1, 128);
  const TPixels pixels = PixelsOf(canvas.Bitmap());
  EXPECT_EQ(pixels[0], 0u);
  EXPECT_EQ(pixels[2], 0u);
  EXPECT_NEAR(static_cast<int>(pixels[1] >> 24), 128, 1);
  EXPECT_TRUE(ValidPremultiplied(pixels[1]));
}

TEST(Canvas, TileBitmapIsAnchoredAtTheCanvasOrigin) {
  const auto tile = Gradient(20, 20);
  const TPixels tilePixels = PixelsOf(*tile);
  TCanvasEx canvas(50, 40);
  canvas.TileBitmap(*tile, 10, 10, 45, 35);
  const TPixels pixels = PixelsOf(canvas.Bitmap());
  for (const auto& [x, y] : {std::pair{10, 10}, std::pair{35, 5 + 10}, std::pair{44, 34}})
    EXPECT_EQ(pixels[y * 50 + x], tilePixels[(y % 20) * 20 + x % 20]) << x << "," << y;
  EXPECT_EQ(pixels[9 * 50 + 9], 0u) << "outside the rectangle";
  EXPECT_EQ(pixels[35 * 50 + 45], 0u);
}

TEST(Canvas, DrawBlurredLeavesTheSourceAlone) {
  const auto source = Gradient(5, 5);
  const TPixels before = PixelsOf(*source);
  TCanvasEx canvas(5, 5);
  canvas.DrawBlurred(*source, 0, 0, 2);
  EXPECT_EQ(PixelsOf(*source), before);
  const auto blurred = source->Clone();
  blurred->Blur(2);
  EXPECT_EQ(PixelsOf(canvas.Bitmap()), PixelsOf(*blurred));
}

TEST(Canvas, TextIsValidPremultipliedInTheFontColourAndStaysInItsRectangle) {
  TCanvasEx canvas(200, 60);
  canvas.Font().SetName(L"Tahoma");
  canvas.Font().SetColor(0xFFFF0000);
  const RECT box{10, 10, 150, 45};
  canvas.DrawText(box, L"Güncelleniyor... ĞİŞ");
  const TPixels pixels = PixelsOf(canvas.Bitmap());
  int inked = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) {
      const uint32_t pixel = pixels[y * 200 + x];
      const bool inside = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
      if (!inside) {
        ASSERT_EQ(pixel, 0u) << "ink outside the rectangle at " << x << "," << y;
        continue;
      }
      ASSERT_TRUE(ValidPremultiplied(pixel)) << std::hex << pixel;
      ASSERT_EQ(pixel & 0x0000FFFF, 0u) << "red text has no green or blue: " << std::hex << pixel;
      inked += pixel != 0;
    }
  EXPECT_GT(inked, 50);
}

TEST(Canvas, TextExtentRoundsTheMeasuredBoxUpByTruncation) {
  TCanvasEx canvas(10, 10);
  canvas.Font().SetName(L"Tahoma");
  for (const wchar_t* text : {L"A", L"Newsdrop", L"Güncelleniyor..."}) {
    const std::wstring value = text;
    const Gdiplus::RectF layout(0, 0, 0, 0);
    Gdiplus::RectF box;
    GdipMeasureString(canvas.Graphics(), value.c_str(), static_cast<INT>(value.size()),
                      canvas.Font().Handle(), &layout, canvas.StringFormat().Handle(), &box,
                      nullptr, nullptr);
    const SIZE extent = canvas.TextExtent(value);
    EXPECT_EQ(extent.cx, static_cast<LONG>(box.Width + 1.0f));
    EXPECT_EQ(extent.cy, static_cast<LONG>(box.Height + 1.0f));
    EXPECT_GT(extent.cx, 1);
    EXPECT_EQ(canvas.TextWidth(value), extent.cx);
  }
  EXPECT_GT(canvas.TextWidth(L"Newsdrop"), canvas.TextWidth(L"A"));
  EXPECT_GT(canvas.TextHeight(L"A"), 5.0f);
}

TEST(Canvas, AntialiasSwitchesTheTextRenderingHint) {
  TCanvasEx canvas(4, 4);
  EXPECT_EQ(canvas.TextRenderingHint(), Gdiplus::TextRenderingHintAntiAlias);
  canvas.SetAntialias(false);
  EXPECT_EQ(canvas.TextRenderingHint(), Gdiplus::TextRenderingHintAntiAliasGridFit);
  Gdiplus::TextRenderingHint hint;
  GdipGetTextRenderingHint(canvas.Graphics(), &hint);
  EXPECT_EQ(hint, Gdiplus::TextRenderingHintAntiAliasGridFit);
  canvas.SetAntialias(true);
  EXPECT_EQ(canvas.TextRenderingHint(), Gdiplus::TextRenderingHintAntiAlias);
}

TEST(Canvas, SetSizeKeepsSettingsAndGivesATransparentBitmap) {
  TCanvasEx canvas(4, 4);
  EXPECT_EQ(canvas.InterpolationMode(), Gdiplus::InterpolationModeNearestNeighbor);
  EXPECT_EQ(canvas.SmoothingMode(), Gdiplus::SmoothingModeAntiAlias);
  EXPECT_EQ(canvas.PixelOffsetMode(), Gdiplus::PixelOffsetModeNone);
  EXPECT_EQ(canvas.TextContrast(), 4u);
  canvas.Font().SetName(L"Tahoma");
  canvas.StringFormat().SetAlignment(Gdiplus::StringAlignmentCenter);
  canvas.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
  Fill(canvas, 0xFFFFFFFF);

  canvas.SetSize(7, 3);
  EXPECT_EQ(canvas.Width(), 7);
  EXPECT_EQ(canvas.Bitmap().Width(), 7);
  EXPECT_EQ(canvas.Bitmap().Height(), 3);
  EXPECT_EQ(PixelsOf(canvas.Bitmap()), TPixels(21, 0));
  EXPECT_EQ(canvas.Font().Name(), L"Tahoma");
  EXPECT_EQ(canvas.StringFormat().Alignment(), Gdiplus::StringAlignmentCenter);
  Gdiplus::InterpolationMode mode;
  GdipGetInterpolationMode(canvas.Graphics(), &mode);
  EXPECT_EQ(mode, Gdiplus::InterpolationModeHighQualityBilinear);
}

TEST(Canvas, LinesAreDrawnWithThePen) {
  TCanvasEx canvas(10, 10);
  canvas.SetSmoothingMode(Gdiplus::SmoothingModeNone);
  canvas.Pen().SetColor(0xFF00FF00);
  canvas.DrawLine(0, 5, 9, 5);
  const TPixels pixels = PixelsOf(canvas.Bitmap());
  EXPECT_EQ(pixels[5 * 10 + 4], 0xFF00FF00u);
  EXPECT_EQ(pixels[0], 0u);
  // cairo still composites over what GDI+ drew.
  canvas.DrawBitmap(*BitmapOf(1, 1, {0xFF0000FF}), 4, 5);
  EXPECT_EQ(PixelsOf(canvas.Bitmap())[5 * 10 + 4], 0xFF0000FFu);
  EXPECT_EQ(PixelsOf(canvas.Bitmap())[5 * 10 + 5], 0xFF00FF00u);
}
