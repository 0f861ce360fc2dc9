#include "mainwindow/WinTimer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class WinTimer : public ::testing::Test {
protected:
  void SetUp() override {
    window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window))
      DestroyWindow(window);
  }

  // The IDs of the timer messages that arrive within the time given.
  std::vector<WPARAM> TimerIds(DWORD milliseconds) {
    std::vector<WPARAM> ids;
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
      MSG message;
      while (PeekMessageW(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE))
        ids.push_back(message.wParam);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_TIMER);
    }
    return ids;
  }

  HWND window = nullptr;
};

} // namespace

TEST_F(WinTimer, TwoTimersOnOneWindowCarryTheirOwnIds) {
  TWinTimer fast(window, 20, 1005);
  TWinTimer slow(window, 50, 1001);
  fast.Start();
  slow.SetEnabled(true);
  EXPECT_TRUE(fast.Enabled());
  const auto ids = TimerIds(260);
  EXPECT_GE(std::count(ids.begin(), ids.end(), 1005), 3);
  EXPECT_GE(std::count(ids.begin(), ids.end(), 1001), 2);
  EXPECT_EQ(std::count_if(ids.begin(), ids.end(), [](WPARAM id) { return id != 1005 && id != 1001; }),
            0);
}

TEST_F(WinTimer, StopAndTheDestructorEndTheSystemTimer) {
  {
    TWinTimer timer(window, 20, 7);
    timer.Start();
  }
  EXPECT_FALSE(KillTimer(window, 7)) << "the destructor stopped it";
  TWinTimer timer(window, 20, 8);
  timer.Start();
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_TRUE(TimerIds(80).empty());
}

TEST_F(WinTimer, AGoneWindowGetsNoTimer) {
  TWinTimer timer(window, 20, 9);
  DestroyWindow(window);
  timer.Start();
  EXPECT_FALSE(timer.Enabled());
}
