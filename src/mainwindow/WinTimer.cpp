#include "mainwindow/WinTimer.h"

void TWinTimer::Start() {
  if (!IsWindow(Window) || enabled_)
    return;
  SetTimer(Window, ID, Interval, nullptr);
  enabled_ = true;
}

void TWinTimer::Stop() {
  if (!IsWindow(Window) || !enabled_)
    return;
  KillTimer(Window, ID);
  enabled_ = false;
}

void TWinTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  if (enabled)
    Start();
  else
    Stop();
}
