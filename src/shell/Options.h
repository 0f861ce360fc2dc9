#pragma once

#include "text/WIniFiles.h"

#include <cstdint>
#include <string>

// The widget's saved switches and position in "options.ini". Reads and writes
// go to memory; UpdateFile writes the file.
class TOptions : public TWMemIniFile {
public:
  explicit TOptions(const std::wstring& fileName);

  int32_t DefaultTop() const { return defaultTop_; }
  int32_t DefaultLeft() const { return defaultLeft_; }

  bool AlwaysTop() const;
  bool AutoScale() const;
  bool ShowTray() const;
  bool Startup() const;
  int32_t Left() const;
  int32_t Top() const;

  void SetAlwaysTop(bool value);
  void SetAutoScale(bool value);
  void SetShowTray(bool value);
  void SetStartup(bool value);
  void SetLeft(int32_t value);
  void SetTop(int32_t value);

  static constexpr int WidgetWidth = 475;
  static constexpr int WidgetHeight = 350;

private:
  int32_t defaultTop_ = 0;
  int32_t defaultLeft_ = 0;
};
