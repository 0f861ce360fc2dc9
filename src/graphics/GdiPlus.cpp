#include "graphics/GdiPlus.h"

namespace {

ULONG_PTR gdiPlusToken = 0;

} // namespace

bool StartGdiPlus() {
  if (gdiPlusToken)
    return true;
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = FALSE;
  input.SuppressExternalCodecs = FALSE;
  return Gdiplus::GdiplusStartup(&gdiPlusToken, &input, nullptr) == Gdiplus::Ok;
}

// The drawing layer caches nothing process-wide: every GDI+ object belongs to
// a wrapper that releases it, so only the shutdown itself is left.
void ShutdownGdiPlus() {
  if (!gdiPlusToken)
    return;
  Gdiplus::GdiplusShutdown(gdiPlusToken);
  gdiPlusToken = 0;
}
