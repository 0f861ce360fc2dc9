#include "support/ToolkitEnvironment.h"
#include "widgets/TrayIcon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TrayIcon : public ::testing::Test {
protected:
  void SetUp() override {
    icon.OnMouseDown = [this](TControl*, int keys, int, int) { Log("down", keys); };
    icon.OnMouseUp = [this](TControl*, int keys, int, int) { Log("up", keys); };
    icon.OnClick = [this](TControl*) { events.push_back("click"); };
    icon.OnDblClick = [this](TControl*) { events.push_back("double"); };
    icon.HandleNeeded();
  }
  void TearDown() override {
    SetModifier(VK_CONTROL, false);
    if (icon.HasWindow())
      SendMessageW(icon.WindowHandle, WM_CLOSE, 0, 0);
    PumpMessages();
  }

  void Log(const char* what, int keys) {
    std::string entry = what;
    if (keys & MK_LBUTTON)
      entry += " L";
    if (keys & MK_RBUTTON)
      entry += " R";
    if (keys & MK_CONTROL)
      entry += " Ctrl";
    events.push_back(entry);
  }

  void Notify(UINT event) {
    SendMessageW(icon.WindowHandle, WGM_TRAYNOTIFY, icon.NotifyData().uID, event);
  }

  // The key state GetKeyState reports for this thread.
  static void SetModifier(int key, bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[key] = down ? 0x80 : 0;
    SetKeyboardState(state);
  }

  TTrayIcon icon{nullptr};
  std::vector<std::string> events;
};

} // namespace

TEST_F(TrayIcon, MouseSequencesBecomeTheDocumentedEvents) {
  const struct {
    const char* name;
    std::vector<UINT> notifications;
    bool ctrl;
    std::vector<std::string> events;
  } cases[] = {
      {"click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, false, {"down L", "click", "up L"}},
      {"double click",
       {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
       false,
       {"down L", "click", "up L", "double", "up L"}},
      {"right click", {WM_RBUTTONDOWN, WM_RBUTTONUP}, false, {"down R", "up R"}},
      {"ctrl-click", {WM_LBUTTONDOWN, WM_LBUTTONUP}, true, {"down L Ctrl", "click", "up L Ctrl"}},
  };
  for (const auto& c : cases) {
    events.clear();
    SetModifier(VK_CONTROL, c.ctrl);
    for (UINT notification : c.notifications)
      Notify(notification);
    EXPECT_EQ(events, c.events) << c.name;
  }
}

TEST_F(TrayIcon, TheNotifyDataHasTheShellLayoutAndTheWindowAsIdentity) {
  const NOTIFYICONDATAW& data = icon.NotifyData();
  EXPECT_EQ(data.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
  EXPECT_EQ(data.hWnd, icon.WindowHandle);
  EXPECT_EQ(data.uID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(icon.WindowHandle)));
  EXPECT_EQ(data.uCallbackMessage, WGM_TRAYNOTIFY);
  EXPECT_EQ(icon.BalloonTimeout(), 3000);
  EXPECT_FALSE(IsWindowVisible(icon.WindowHandle));
}

TEST_F(TrayIcon, TextsAreCutToTheirFields) {
  icon.SetHintText(std::wstring(200, L'ş'));
  EXPECT_EQ(std::wstring(icon.NotifyData().szTip), std::wstring(127, L'ş'));
  EXPECT_NE(icon.NotifyData().uFlags & NIF_TIP, 0u);
  icon.SetHintText(L"");
  EXPECT_EQ(icon.NotifyData().uFlags & NIF_TIP, 0u);
  icon.SetBalloonHint(std::wstring(300, L'a'));
  EXPECT_EQ(std::wstring(icon.NotifyData().szInfo).size(), 255u);
  icon.SetBalloonTitle(std::wstring(100, L'b'));
  EXPECT_EQ(std::wstring(icon.NotifyData().szInfoTitle).size(), 63u);
}

TEST_F(TrayIcon, ABalloonActionClearsTheBalloonFlag) {
  int action = 0;
  icon.OnBalloonAction = [&](TControl*, int value) { action = value; };
  icon.BalloonFlags = bfWarning;
  icon.ShowBalloon();
  EXPECT_NE(icon.NotifyData().uFlags & NIF_INFO, 0u);
  EXPECT_EQ(icon.NotifyData().dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
  Notify(NIN_BALLOONUSERCLICK);
  EXPECT_EQ(action, 0x0405);
  EXPECT_EQ(icon.NotifyData().uFlags & NIF_INFO, 0u);
}

TEST_F(TrayIcon, TheSessionMayEndWithoutAnyEvent) {
  EXPECT_EQ(SendMessageW(icon.WindowHandle, WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_TRUE(events.empty());
}

TEST_F(TrayIcon, ReplacingTheIconDestroysThePreviousOne) {
  const HICON first = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
  const HICON second = CopyIcon(LoadIconW(nullptr, IDI_INFORMATION));
  icon.SetIcon(first);
  icon.SetVisibleTray(true);
  icon.SetIcon(second);
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(first, &info)) << "the first icon is gone";
  EXPECT_EQ(icon.NotifyData().hIcon, second);
  SendMessageW(icon.WindowHandle, WM_CLOSE, 0, 0);
  EXPECT_FALSE(GetIconInfo(second, &info)) << "destroyed with the window";
}
