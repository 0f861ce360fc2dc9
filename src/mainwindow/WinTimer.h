#pragma once

#include <windows.h>

// One system timer that delivers WM_TIMER with its ID to a window. It never
// keeps its window alive: once the window is gone, Start and Stop do nothing.
class TWinTimer {
public:
  TWinTimer(HWND window, UINT interval, UINT id) : Window(window), Interval(interval), ID(id) {}
  ~TWinTimer() { Stop(); }
  TWinTimer(const TWinTimer&) = delete;
  TWinTimer& operator=(const TWinTimer&) = delete;

  void Start();
  void Stop();
  // Setting the current value does nothing, so a running timer keeps counting.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }

  const HWND Window;
  const UINT Interval;
  const UINT ID;

private:
  bool enabled_ = false;
};
