// Per-frame costs of the drawing layer: medians of repeated runs of each
// operation on the widget's own 475 × 350 size, with a memcpy of the same bytes
// as the physical reference. Run with: make bench

#include "graphics/Canvas.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr int Width = 475;
constexpr int Height = 350;
constexpr int Runs = 201;

double NowMicroseconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart * 1e6 / static_cast<double>(frequency.QuadPart);
}

double Median(const std::function<void()>& operation) {
  operation();
  std::vector<double> times;
  for (int i = 0; i < Runs; ++i) {
    const double start = NowMicroseconds();
    operation();
    times.push_back(NowMicroseconds() - start);
  }
  std::nth_element(times.begin(), times.begin() + Runs / 2, times.end());
  return times[Runs / 2];
}

// A translucent, varied image like the skin's background.
void Paint(TBitmapEx& bitmap) {
  bitmap.Flush();
  auto* pixels = reinterpret_cast<uint32_t*>(bitmap.Bits());
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const uint32_t alpha = 0x60 + (x * 7 + y * 3) % 0xA0;
      pixels[y * Width + x] = alpha << 24 | (x % alpha) << 16 | (y % alpha) << 8 | alpha / 2;
    }
  bitmap.MarkDirty();
}

} // namespace

int main() {
  StartGdiPlus();
  {
    TBitmapEx source(Width, Height);
    Paint(source);
    TCanvasEx canvas(Width, Height);
    std::vector<uint8_t> from(Width * Height * 4, 0x5A), to(Width * Height * 4);

    const double copy = Median([&] { std::memcpy(to.data(), from.data(), from.size()); });
    struct {
      const char* name;
      std::function<void()> operation;
    } cases[] = {
        {"DrawBitmapAlpha 255", [&] { canvas.DrawBitmapAlpha(source, 0, 0, 255); }},
        {"DrawBitmapAlpha 128", [&] { canvas.DrawBitmapAlpha(source, 0, 0, 128); }},
        {"Clear", [&] { canvas.Clear(); }},
        {"StretchDraw to 0.25", [&] { canvas.StretchDraw(source, 0, 0, Width / 4, Height / 4); }},
        {"StretchDrawGdiPlus mode 6 to 0.25",
         [&] {
           canvas.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
           canvas.StretchDrawGdiPlus(source, 0, 0, Width / 4, Height / 4);
         }},
    };
    std::printf("%-36s %10s %8s\n", "operation (475 x 350)", "median us", "x memcpy");
    std::printf("%-36s %10.1f %8.1f\n", "memcpy of 665000 bytes", copy, 1.0);
    for (const auto& c : cases) {
      const double time = Median(c.operation);
      std::printf("%-36s %10.1f %8.1f\n", c.name, time, time / copy);
    }
  }
  ShutdownGdiPlus();
  return 0;
}
