#include "graphics/GraphicObjects.h"
#include "support/GdiPlusEnvironment.h"

#include <gtest/gtest.h>

using namespace Gdiplus::DllExports;

namespace {

std::wstring FamilyName(GpFont* font) {
  GpFontFamily* family = nullptr;
  GdipGetFamily(font, &family);
  wchar_t name[LF_FACESIZE] = {};
  GdipGetFamilyName(family, name, LANG_NEUTRAL);
  GdipDeleteFontFamily(family);
  return name;
}

std::wstring GenericSansSerifName() {
  GpFontFamily* family = nullptr;
  GdipGetGenericFontFamilySansSerif(&family);
  wchar_t name[LF_FACESIZE] = {};
  GdipGetFamilyName(family, name, LANG_NEUTRAL);
  GdipDeleteFontFamily(family);
  return name;
}

} // namespace

TEST(FontEx, DefaultsAreArialTenPointRegularBlackAt254) {
  TFontEx font;
  EXPECT_EQ(font.Name(), L"Arial");
  EXPECT_EQ(font.Size(), 10);
  EXPECT_EQ(font.Style(), 0);
  EXPECT_EQ(font.Color(), 0xFE000000u);
  EXPECT_NE(font.Handle(), nullptr);
  ARGB brushColor = 0;
  GdipGetSolidFillColor(font.Brush(), &brushColor);
  EXPECT_EQ(brushColor, 0xFE000000u);
}

TEST(FontEx, OpaqueColoursAreKeptAtAlpha254) {
  const struct {
    ARGB requested, kept;
  } cases[] = {{0xFFFFFFFF, 0xFEFFFFFF},
               {0xFF123456, 0xFE123456},
               {0x80FFFFFF, 0x80FFFFFF},
               {0x00000000, 0x00000000}};
  for (const auto& c : cases) {
    TFontEx font;
    font.SetColor(c.requested);
    EXPECT_EQ(font.Color(), c.kept);
    ARGB brushColor = 0;
    GdipGetSolidFillColor(font.Brush(), &brushColor);
    EXPECT_EQ(brushColor, c.kept);
  }
}

TEST(FontEx, OnlyRealChangesOfNameSizeOrStyleNotify) {
  TFontEx font;
  int changes = 0;
  font.OnChange = [&](TGraphicObjectEx* sender) {
    EXPECT_EQ(sender, &font);
    ++changes;
  };
  font.SetSize(10);
  font.SetName(L"Arial");
  font.SetColor(0xFF00FF00);
  EXPECT_EQ(changes, 0);
  font.SetSize(12);
  EXPECT_EQ(changes, 1);
  font.SetStyle(Gdiplus::FontStyleBold);
  font.SetName(L"Tahoma");
  EXPECT_EQ(changes, 3);
  float size = 0;
  GdipGetFontSize(font.Handle(), &size);
  EXPECT_EQ(size, 12.0f);
}

TEST(FontEx, AnUnknownFamilyFallsBackToSansSerif) {
  TFontEx font;
  font.SetName(L"No Such Family 123");
  ASSERT_NE(font.Handle(), nullptr);
  EXPECT_EQ(FamilyName(font.Handle()), GenericSansSerifName());
}

TEST(FontEx, AssignCopiesAFontAndIgnoresOtherClasses) {
  TFontEx source;
  source.SetName(L"Tahoma");
  source.SetSize(8);
  source.SetColor(0x80102030);
  source.Format().SetAlignment(Gdiplus::StringAlignmentCenter);
  TFontEx target;
  int changes = 0;
  target.OnChange = [&](TGraphicObjectEx*) { ++changes; };

  TPenEx pen;
  target.Assign(&pen);
  EXPECT_EQ(target.Name(), L"Arial");
  EXPECT_EQ(changes, 0);

  target.Assign(&source);
  EXPECT_EQ(target.Name(), L"Tahoma");
  EXPECT_EQ(target.Size(), 8);
  EXPECT_EQ(target.Color(), 0x80102030u);
  EXPECT_EQ(target.Format().Alignment(), Gdiplus::StringAlignmentCenter);
  EXPECT_EQ(changes, 1);
}

TEST(PenEx, DefaultsAndSettersReachTheGdiPlusPen) {
  TPenEx pen;
  EXPECT_EQ(pen.Color(), 0xFF000000u);
  EXPECT_EQ(pen.Width(), 1.0f);
  pen.SetColor(0x80FF0000);
  pen.SetWidth(3.5f);
  pen.SetStyle(Gdiplus::DashStyleDot);
  ARGB color = 0;
  float width = 0;
  Gdiplus::DashStyle style = Gdiplus::DashStyleSolid;
  GdipGetPenColor(pen.Handle(), &color);
  GdipGetPenWidth(pen.Handle(), &width);
  GdipGetPenDashStyle(pen.Handle(), &style);
  EXPECT_EQ(color, 0x80FF0000u);
  EXPECT_EQ(width, 3.5f);
  EXPECT_EQ(style, Gdiplus::DashStyleDot);

  TPenEx copy;
  copy.Assign(&pen);
  GdipGetPenWidth(copy.Handle(), &width);
  EXPECT_EQ(width, 3.5f);
  EXPECT_EQ(copy.Style(), Gdiplus::DashStyleDot);
}

TEST(SolidBrushEx, DefaultIsOpaqueMidGreyAndAssignCopiesTheColour) {
  TSolidBrushEx brush;
  EXPECT_EQ(brush.Color(), 0xFF808080u);
  brush.SetColor(0x40123456);
  TSolidBrushEx copy;
  copy.Assign(&brush);
  ARGB color = 0;
  GdipGetSolidFillColor(reinterpret_cast<GpSolidFill*>(copy.GetHandle()), &color);
  EXPECT_EQ(color, 0x40123456u);
}

TEST(StringFormatEx, DefaultsAndSettersReachTheGdiPlusFormat) {
  TStringFormatEx format;
  EXPECT_EQ(format.Trimming(), Gdiplus::StringTrimmingCharacter);
  format.SetAlignment(Gdiplus::StringAlignmentFar);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  format.SetTrimming(Gdiplus::StringTrimmingEllipsisWord);
  format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
  Gdiplus::StringAlignment alignment;
  GdipGetStringFormatAlign(format.Handle(), &alignment);
  EXPECT_EQ(alignment, Gdiplus::StringAlignmentFar);
  GdipGetStringFormatLineAlign(format.Handle(), &alignment);
  EXPECT_EQ(alignment, Gdiplus::StringAlignmentCenter);
  Gdiplus::StringTrimming trimming;
  GdipGetStringFormatTrimming(format.Handle(), &trimming);
  EXPECT_EQ(trimming, Gdiplus::StringTrimmingEllipsisWord);
  INT flags = 0;
  GdipGetStringFormatFlags(format.Handle(), &flags);
  EXPECT_EQ(flags, Gdiplus::StringFormatFlagsNoWrap);
}
