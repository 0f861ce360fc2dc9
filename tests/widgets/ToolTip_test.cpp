#include "support/ToolkitEnvironment.h"
#include "widgets/ToolTip.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

class ToolTip : public ::testing::Test {
protected:
  void SetUp() override {
    host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 100,
                           nullptr, nullptr, nullptr, nullptr);
    ToolTipWindow = tip.Handle();
    control.ParentWindow = host;
    control.SetHint(L"Güncelle");
    control.Handle();
  }
  void TearDown() override {
    SendMessageW(ToolTipWindow, WM_CLOSE, 0, 0);
    ToolTipWindow = nullptr;
    DestroyWindow(host);
    PumpMessages();
  }

  // Asks for a text the way the system tooltip does.
  const wchar_t* AskText(HWND tool) {
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = tip.WindowHandle;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(tool);
    info.hdr.code = TTN_GETDISPINFOW;
    info.lpszText = const_cast<wchar_t*>(L"unchanged");
    SendMessageW(tip.WindowHandle, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText;
  }

  HWND host = nullptr;
  TToolTip tip{nullptr};
  TControl control{nullptr};
};

} // namespace

TEST_F(ToolTip, TheWindowIsASubclassedSystemTooltip) {
  wchar_t className[64];
  GetClassNameW(tip.WindowHandle, className, 64);
  EXPECT_EQ(_wcsicmp(className, TOOLTIPS_CLASSW), 0);
  EXPECT_NE(tip.ExStyle() & WS_EX_TOPMOST, 0u);
  tip.SetBackColor(0x00112233);
  EXPECT_EQ(tip.BackColor(), 0x00112233u);
  tip.SetTextColor(0x00445566);
  EXPECT_EQ(tip.TextColor(), 0x00445566u);
}

TEST_F(ToolTip, TextsAreSuppliedOnDemandOnlyWhileEnabled) {
  control.SetShowHint(true);
  EXPECT_STREQ(AskText(control.WindowHandle), L"unchanged") << "EnableTip is false";
  tip.EnableTip = true;
  EXPECT_STREQ(AskText(control.WindowHandle), L"Güncelle");
  EXPECT_EQ(SendMessageW(tip.WindowHandle, TTM_GETMAXTIPWIDTH, 0, 0), 300);
  control.SetHint(L"Yeni haberler");
  EXPECT_STREQ(AskText(control.WindowHandle), L"Yeni haberler");
}

TEST_F(ToolTip, NoTextForAnEmptyHintAHiddenHintOrAStrangeWindow) {
  tip.EnableTip = true;
  EXPECT_STREQ(AskText(control.WindowHandle), L"unchanged") << "ShowHint is false";
  control.SetShowHint(true);
  control.SetHint(L"");
  EXPECT_STREQ(AskText(control.WindowHandle), L"unchanged");
  EXPECT_STREQ(AskText(host), L"unchanged") << "not a control";
  EXPECT_STREQ(AskText(reinterpret_cast<HWND>(0x1234)), L"unchanged");
}
