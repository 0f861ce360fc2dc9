#include "support/GdiPlusEnvironment.h"
#include "support/Pixels.h"
#include "widgets/WindowEx.h"

#include <gtest/gtest.h>

namespace {

class TToolkitEnvironment : public ::testing::Environment {
public:
  void SetUp() override { StartToolkit(); }
  void TearDown() override { EndToolkit(); }
};

const auto* const toolkit = ::testing::AddGlobalTestEnvironment(new TToolkitEnvironment);

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Paints its whole canvas in one premultiplied colour and counts its paints.
class TSwatch : public TControlEx {
public:
  TSwatch(TControlEx* parent, uint32_t colour, RECT bounds) : TControlEx(parent), Colour(colour) {
    Parent = parent;
    SetLeft(bounds.left);
    SetTop(bounds.top);
    SetSize(bounds.right - bounds.left, bounds.bottom - bounds.top);
  }
  void Paint() override {
    TControlEx::Paint();
    ++paints;
    const TPixels pixels(static_cast<size_t>(Width()) * Height(), Colour);
    Canvas().DrawBitmap(*BitmapOf(Width(), Height(), pixels), 0, 0);
  }
  uint32_t Colour;
  int paints = 0;
};

class WindowEx : public ::testing::Test {
protected:
  void SetUp() override {
    window.SetLeft(50);
    window.SetTop(60);
    window.SetSize(100, 80);
  }
  void TearDown() override {
    if (window.HasWindow())
      DestroyWindow(window.WindowHandle);
    PumpMessages();
  }

  uint32_t PixelAt(int x, int y) const {
    return PixelsOf(window.Canvas().Bitmap())[static_cast<size_t>(y) * window.Width() + x];
  }

  TWindowEx window{nullptr};
};

} // namespace

TEST_F(WindowEx, LaterChildrenCoverEarlierOnesAndHiddenOnesAreSkipped) {
  auto* lower = new TSwatch(&window, 0xFFFF0000, {0, 0, 60, 60});
  auto* upper = new TSwatch(&window, 0xFF0000FF, {30, 30, 90, 70});
  lower->Show();
  upper->Show();
  window.Show();
  window.Refresh();
  EXPECT_EQ(PixelAt(10, 10), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(40, 40), 0xFF0000FFu) << "the later child is on top";
  EXPECT_EQ(PixelAt(95, 5), 0u);

  upper->Hide();
  window.Refresh();
  EXPECT_EQ(PixelAt(40, 40), 0xFFFF0000u);
  upper->Show();
  window.Refresh();
  EXPECT_EQ(PixelAt(40, 40), 0xFF0000FFu);
}

TEST_F(WindowEx, ACachedControlIsPaintedOnceUntilRedrawIsSet) {
  auto* swatch = new TSwatch(&window, 0xFF00FF00, {0, 0, 20, 20});
  swatch->Cached = true;
  swatch->Show();
  window.Show();
  window.Refresh();
  swatch->Colour = 0xFFFF00FF;
  window.Refresh();
  EXPECT_EQ(swatch->paints, 1);
  EXPECT_EQ(PixelAt(5, 5), 0xFF00FF00u) << "composited from the kept bitmap";
  swatch->Redraw = true;
  swatch->Refresh();
  EXPECT_EQ(swatch->paints, 2);
  EXPECT_EQ(PixelAt(5, 5), 0xFFFF00FFu);
}

TEST_F(WindowEx, ALockedControlKeepsItsBitmapAndSkipsItsChildren) {
  auto* group = new TSwatch(&window, 0x00000000, {0, 0, 50, 50});
  auto* child = new TSwatch(group, 0xFF112233, {0, 0, 10, 10});
  group->Show();
  child->Show();
  window.Show();
  window.Refresh();
  EXPECT_EQ(PixelAt(5, 5), 0xFF112233u);
  group->Locked = true;
  child->Colour = 0xFF445566;
  child->Redraw = true;
  window.Refresh();
  EXPECT_EQ(child->paints, 1) << "children of a locked control are not rendered";
  EXPECT_EQ(PixelAt(5, 5), 0xFF112233u);
  group->Locked = false;
  window.Refresh();
  EXPECT_EQ(PixelAt(5, 5), 0xFF445566u);
}

TEST_F(WindowEx, OpacityOfAGroupAppliesToItsWholeSubtree) {
  auto* group = new TSwatch(&window, 0x00000000, {0, 0, 50, 50});
  auto* child = new TSwatch(group, 0xFFFFFFFF, {0, 0, 10, 10});
  group->SetOpacity(128);
  group->Show();
  child->Show();
  window.Show();
  window.Refresh();
  const uint32_t pixel = PixelAt(5, 5);
  EXPECT_NEAR(static_cast<int>(pixel >> 24), 128, 1);
  EXPECT_EQ(pixel >> 24, pixel & 0xFF) << "white at half opacity stays premultiplied grey";
}

TEST_F(WindowEx, ARefreshFromInsidePaintIsDropped) {
  class TRefreshing : public TSwatch {
  public:
    using TSwatch::TSwatch;
    void Paint() override {
      TSwatch::Paint();
      Refresh();
    }
  };
  auto* swatch = new TRefreshing(&window, 0xFF000000, {0, 0, 5, 5});
  swatch->Show();
  window.Show();
  window.Refresh();
  EXPECT_EQ(swatch->paints, 1);
}

TEST_F(WindowEx, CloseActionsDecideWhatHappensToTheWindow) {
  const struct {
    TCloseAction action;
    bool exists, visible;
  } cases[] = {{caFree, false, false},
               {caHide, true, false},
               {caNone, true, true},
               {caMinimize, true, true}};
  for (const auto& c : cases) {
    TWindowEx closing(nullptr);
    int destroyed = 0;
    closing.OnClose = [&](TControl*, TCloseAction& action) { action = c.action; };
    closing.OnDestroy = [&](TControl*) { ++destroyed; };
    closing.Show();
    SendMessageW(closing.WindowHandle, WM_CLOSE, 0, 0);
    EXPECT_EQ(closing.HasWindow(), c.exists) << c.action;
    EXPECT_EQ(destroyed, c.exists ? 0 : 1) << c.action;
    if (c.exists) {
      EXPECT_EQ(IsWindowVisible(closing.WindowHandle) != FALSE, c.visible) << c.action;
      DestroyWindow(closing.WindowHandle);
    }
    PumpMessages();
  }
}

TEST_F(WindowEx, MouseActivateAnswersActivateByDefault) {
  EXPECT_EQ(
      SendMessageW(window.Handle(), WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
      MA_ACTIVATE);
  window.OnMouseActivate = [](TControl*, WORD, WORD, int& result) { result = MA_NOACTIVATE; };
  EXPECT_EQ(SendMessageW(window.Handle(), WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
}

TEST_F(WindowEx, AlwaysTopBeforeCreationCountsButTransparentDoesNot) {
  window.SetAlwaysTop(true);
  window.SetTransparent(true);
  window.Handle();
  EXPECT_NE(window.ExStyle() & WS_EX_TOPMOST, 0u);
  EXPECT_EQ(window.ExStyle() & WS_EX_TRANSPARENT, 0u);
  EXPECT_NE(window.ExStyle() & WS_EX_LAYERED, 0u);
  window.SetTransparent(false);
  window.SetTransparent(true);
  EXPECT_NE(window.ExStyle() & WS_EX_TRANSPARENT, 0u);
  window.SetAlwaysTop(false);
  EXPECT_EQ(window.ExStyle() & WS_EX_TOPMOST, 0u);
}

TEST_F(WindowEx, ASizeMessageWithTheSameSizeKeepsTheCanvas) {
  window.Show();
  window.OnPaint = [](TControl* sender) {
    auto* self = static_cast<TWindowEx*>(sender);
    self->Canvas().DrawBitmap(*BitmapOf(1, 1, {0xFF808080}), 0, 0);
  };
  window.Refresh();
  SendMessageW(window.WindowHandle, WM_SIZE, 0, MAKELPARAM(100, 80));
  EXPECT_EQ(PixelAt(0, 0), 0xFF808080u);
  MoveWindow(window.WindowHandle, 50, 60, 120, 90, FALSE);
  EXPECT_EQ(window.Canvas().Width(), 120);
  EXPECT_EQ(PixelAt(0, 0), 0u) << "a new size gives a new, empty canvas";
}

TEST_F(WindowEx, TheScreenShowsTheCanvasWhereTheWindowIsOpaque) {
  auto* opaque = new TSwatch(&window, 0xFF2080C0, {10, 10, 40, 40});
  auto* translucent = new TSwatch(&window, 0x80004000, {50, 10, 90, 40});
  opaque->Show();
  translucent->Show();
  window.SetAlwaysTop(true);
  window.Show();
  window.Refresh();
  // The X server maps and draws the window on its own time: wait for it.
  const COLORREF expected = RGB(0x20, 0x80, 0xC0);
  COLORREF shown = CLR_INVALID;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000;) {
    PumpMessages();
    HDC screen = GetDC(nullptr);
    shown = GetPixel(screen, 50 + 20, 60 + 20);
    ReleaseDC(nullptr, screen);
    if (shown == expected)
      break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  EXPECT_EQ(shown, expected);
}
