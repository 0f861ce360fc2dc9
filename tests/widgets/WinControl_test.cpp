#include "support/ToolkitEnvironment.h"
#include "widgets/WinControl.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Records the font it is handed and what reaches the default processing.
class TPainter : public TWindow {
public:
  using TWindow::TWindow;
  std::wstring ClassName() const override { return L"TPainter"; }

  void CallDefaultProc(TWidgetMessage& message) override {
    if (message.Msg == WM_SETFONT)
      lastFont = reinterpret_cast<HFONT>(message.WParam);
    if (message.Msg == WM_TIMER)
      ++defaultTimers;
    TWindow::CallDefaultProc(message);
  }
  void Render() override {
    ++renders;
    contextWhilePainting = Canvas().Handle();
    if (failRender)
      throw std::runtime_error("render failed");
    RECT area{0, 0, 4, 4};
    FillRect(Canvas().Handle(), &area, Canvas().Brush().Handle());
  }

  HFONT lastFont = nullptr;
  int defaultTimers = 0;
  int renders = 0;
  HDC contextWhilePainting = nullptr;
  bool failRender = false;
};

bool NeedsPaint(HWND window) {
  RECT update{};
  return GetUpdateRect(window, &update, FALSE) != FALSE;
}

class WinControl : public ::testing::Test {
protected:
  void TearDown() override {
    if (window.HasWindow())
      DestroyWindow(window.WindowHandle);
    PumpMessages();
  }
  TPainter window{nullptr};
};

} // namespace

TEST_F(WinControl, AFontChangeResendsTheFontAndRepaints) {
  window.Font().SetSize(10);
  EXPECT_FALSE(window.HasWindow());
  window.Show();
  UpdateWindow(window.WindowHandle);
  EXPECT_EQ(window.lastFont, window.Font().Handle()) << "sent right after creation";
  window.Font().SetSize(14);
  EXPECT_EQ(window.lastFont, window.Font().Handle());
  EXPECT_TRUE(NeedsPaint(window.WindowHandle));
}

TEST_F(WinControl, TheSameRgbColourDoesNotRepaint) {
  window.SetColor(0x00204060);
  window.Show();
  UpdateWindow(window.WindowHandle);
  ASSERT_FALSE(NeedsPaint(window.WindowHandle));
  window.SetColor(0x00204060);
  EXPECT_FALSE(NeedsPaint(window.WindowHandle));
  window.SetColor(static_cast<TColor>(0x80000000 | COLOR_BTNFACE));
  EXPECT_TRUE(NeedsPaint(window.WindowHandle));
}

TEST_F(WinControl, APaintIntoAGivenContextSkipsBeginPaintAndAlwaysDetachesTheCanvas) {
  window.SetColor(0x000000FF);
  window.Show();
  InvalidateRect(window.WindowHandle, nullptr, FALSE);
  HDC memory = CreateCompatibleDC(nullptr);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  SelectObject(memory, bitmap);
  SendMessageW(window.WindowHandle, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
  EXPECT_EQ(window.contextWhilePainting, memory);
  EXPECT_EQ(GetPixel(memory, 1, 1), 0x000000FFu);
  EXPECT_TRUE(NeedsPaint(window.WindowHandle)) << "no BeginPaint validated the window";
  EXPECT_EQ(window.Canvas().Handle(), nullptr);

  window.failRender = true;
  TWidgetMessage message{window.WindowHandle, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0, 0};
  EXPECT_THROW(window.WndProc(message), std::runtime_error);
  EXPECT_EQ(window.Canvas().Handle(), nullptr) << "detached also after an error";
  DeleteDC(memory);
  DeleteObject(bitmap);
}

TEST_F(WinControl, CloseHidesOrDestroysAsTheHandlerSays) {
  window.OnClose = [](TControl*, TCloseAction& action) { action = caHide; };
  window.Show();
  SendMessageW(window.WindowHandle, WM_CLOSE, 0, 0);
  EXPECT_TRUE(window.HasWindow());
  EXPECT_FALSE(IsWindowVisible(window.WindowHandle));
  window.OnClose = nullptr;
  SendMessageW(window.WindowHandle, WM_CLOSE, 0, 0);
  EXPECT_FALSE(window.HasWindow());
}

TEST_F(WinControl, TimersReachOnTimerAndNeverTheDefault) {
  int timerId = 0;
  window.OnTimer = [&](TControl*, int id) { timerId = id; };
  SendMessageW(window.Handle(), WM_TIMER, 1003, 0);
  EXPECT_EQ(timerId, 1003);
  EXPECT_EQ(window.defaultTimers, 0);
}

TEST_F(WinControl, OnCreateIsRaisedFromAfterCreate) {
  int created = 0;
  window.OnCreate = [&](TControl*) { ++created; };
  window.Handle();
  EXPECT_EQ(created, 1);
  EXPECT_EQ(window.Style() & WS_OVERLAPPEDWINDOW, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
}
