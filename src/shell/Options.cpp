#include "shell/Options.h"

#include <windows.h>

namespace {

const wchar_t* const OptionsSection = L"options";
const wchar_t* const GeneralSection = L"general";

} // namespace

// Half of the free space in each direction; the work area's own left and top
// are deliberately not added, so the widget sits where it always has.
TOptions::TOptions(const std::wstring& fileName) : TWMemIniFile(fileName) {
  RECT workArea{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  defaultTop_ = (workArea.bottom - workArea.top - WidgetHeight) / 2;
  defaultLeft_ = (workArea.right - workArea.left - WidgetWidth) / 2;
}

bool TOptions::AlwaysTop() const {
  return ReadBool(OptionsSection, L"alwaystop", true);
}

bool TOptions::AutoScale() const {
  return ReadBool(OptionsSection, L"autoscale", true);
}

bool TOptions::ShowTray() const {
  return ReadBool(OptionsSection, L"showtray", true);
}

bool TOptions::Startup() const {
  return ReadBool(OptionsSection, L"startup", true);
}

int32_t TOptions::Left() const {
  return ReadInteger(GeneralSection, L"left", defaultLeft_);
}

int32_t TOptions::Top() const {
  return ReadInteger(GeneralSection, L"top", defaultTop_);
}

void TOptions::SetAlwaysTop(bool value) {
  WriteBool(OptionsSection, L"alwaystop", value);
}

void TOptions::SetAutoScale(bool value) {
  WriteBool(OptionsSection, L"autoscale", value);
}

void TOptions::SetShowTray(bool value) {
  WriteBool(OptionsSection, L"showtray", value);
}

void TOptions::SetStartup(bool value) {
  WriteBool(OptionsSection, L"startup", value);
}

void TOptions::SetLeft(int32_t value) {
  WriteInteger(GeneralSection, L"left", value);
}

void TOptions::SetTop(int32_t value) {
  WriteInteger(GeneralSection, L"top", value);
}
