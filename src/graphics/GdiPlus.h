#pragma once

// GDI+ through its flat API. WIN32_LEAN_AND_MEAN leaves out IStream, which
// the GDI+ headers need.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

using Gdiplus::ARGB;
using Gdiplus::GpBitmap;
using Gdiplus::GpBrush;
using Gdiplus::GpFont;
using Gdiplus::GpFontFamily;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpPen;
using Gdiplus::GpSolidFill;
using Gdiplus::GpStringFormat;

// Starts GDI+ for the process; the program's module start-up calls it once.
bool StartGdiPlus();
// Frees what the drawing layer keeps cached, then shuts GDI+ down.
void ShutdownGdiPlus();
