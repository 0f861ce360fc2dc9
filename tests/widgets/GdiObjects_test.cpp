#include "support/ToolkitEnvironment.h"
#include "widgets/GdiObjects.h"

#include <gtest/gtest.h>

namespace {

LOGFONTW FontOf(HFONT font) {
  LOGFONTW logFont{};
  GetObjectW(font, sizeof logFont, &logFont);
  return logFont;
}

LOGBRUSH BrushOf(HBRUSH brush) {
  LOGBRUSH logBrush{};
  GetObjectW(brush, sizeof logBrush, &logBrush);
  return logBrush;
}

} // namespace

TEST(GdiFont, DefaultIsTahomaEightPointTurkish) {
  TFont font;
  ASSERT_NE(font.Handle(), nullptr);
  const LOGFONTW logFont = FontOf(font.Handle());
  EXPECT_STREQ(logFont.lfFaceName, L"Tahoma");
  EXPECT_EQ(logFont.lfCharSet, TURKISH_CHARSET);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(logFont.lfHeight, -MulDiv(dpi, 8, 72));
  if (dpi == 96) {
    EXPECT_EQ(logFont.lfHeight, -11);
  }
}

TEST(GdiFont, StyleBitsMakeBoldAndUnderlineAndChangesNotify) {
  TFont font;
  int changes = 0;
  font.OnChange = [&](TGraphicObject*) { ++changes; };
  font.SetStyle(1 + 4);
  const LOGFONTW logFont = FontOf(font.Handle());
  EXPECT_EQ(logFont.lfWeight, FW_BOLD);
  EXPECT_EQ(logFont.lfUnderline, 1);
  EXPECT_EQ(logFont.lfItalic, 0);
  font.SetStyle(5);
  font.SetName(L"Tahoma");
  EXPECT_EQ(changes, 1);
  font.SetName(std::wstring(40, L'x'));
  EXPECT_EQ(std::wstring(FontOf(font.Handle()).lfFaceName).size(), 31u) << "cut to 31";
}

TEST(GdiBrush, SystemColoursAreStoredResolvedAndAppliedAgain) {
  TSolidBrush brush;
  int changes = 0;
  brush.OnChange = [&](TGraphicObject*) { ++changes; };
  const TColor buttonFace = static_cast<TColor>(0x80000000 | COLOR_BTNFACE);
  brush.SetColor(buttonFace);
  EXPECT_EQ(static_cast<COLORREF>(brush.Color()), GetSysColor(COLOR_BTNFACE));
  brush.SetColor(buttonFace);
  EXPECT_EQ(changes, 2) << "a system colour is applied each time";
  brush.SetColor(brush.Color());
  EXPECT_EQ(changes, 2) << "the same RGB value is not";
}

TEST(GdiBrush, AssignFromAHatchedBrushGivesASolidOneOfTheSameColour) {
  TSolidBrush hatched;
  hatched.SetColor(0x00123456);
  hatched.SetStyle(HS_CROSS);
  EXPECT_EQ(BrushOf(hatched.Handle()).lbStyle, static_cast<UINT>(BS_HATCHED));
  TSolidBrush copy;
  copy.Assign(&hatched);
  const LOGBRUSH logBrush = BrushOf(copy.Handle());
  EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(logBrush.lbColor, 0x00123456u);
  EXPECT_EQ(copy.Style(), HS_CROSS);
}

TEST(GdiPen, ABlackPenRightAfterCreationHasNoHandleAndAssignChangesNothing) {
  TPen pen;
  pen.SetColor(0);
  EXPECT_EQ(pen.Handle(), nullptr);
  pen.SetWidth(2);
  ASSERT_NE(pen.Handle(), nullptr);
  TPen other;
  other.Assign(&pen);
  EXPECT_EQ(other.Handle(), nullptr);
  EXPECT_EQ(other.Width(), 0);
}

TEST(GdiCanvas, ObjectsAreSelectedOnlyWhileThereIsAContext) {
  TCanvas canvas;
  int changes = 0;
  canvas.OnChange = [&](TCanvas*) { ++changes; };
  canvas.Font().SetSize(12);
  EXPECT_EQ(changes, 0);

  HDC context = CreateCompatibleDC(nullptr);
  canvas.SetHandle(context);
  canvas.Font().SetColor(0x000000FF);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(GetCurrentObject(context, OBJ_FONT), canvas.Font().Handle());
  EXPECT_EQ(GetTextColor(context), 0x000000FFu);
  canvas.Brush().SetColor(0x00FF0000);
  EXPECT_EQ(GetCurrentObject(context, OBJ_BRUSH), canvas.Brush().Handle());
  EXPECT_EQ(changes, 2);
  canvas.SetHandle(nullptr);
  DeleteDC(context);
}

TEST(GdiColours, ResolveColorMapsSystemColours) {
  EXPECT_EQ(ResolveColor(0x00102030), 0x00102030u);
  EXPECT_EQ(ResolveColor(static_cast<TColor>(0x80000005)), GetSysColor(COLOR_WINDOW));
}
