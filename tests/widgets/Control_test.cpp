#include "text/Errors.h"
#include "widgets/Control.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class TToolkitEnvironment : public ::testing::Environment {
public:
  void SetUp() override { StartToolkit(); }
  void TearDown() override { EndToolkit(); }
};

const auto* const toolkit = ::testing::AddGlobalTestEnvironment(new TToolkitEnvironment);

// A control that counts what reaches the default processing and its notices.
class TProbe : public TControl {
public:
  using TControl::TControl;
  std::wstring ClassName() const override { return L"TProbe"; }

  void CallDefaultProc(TWidgetMessage& message) override {
    ++defaults;
    TControl::CallDefaultProc(message);
  }
  void TextChanged(TWidgetMessage& message) override {
    ++textChanges;
    TControl::TextChanged(message);
  }
  void WMCommand(TWidgetMessage& message) override {
    ++commands;
    TControl::WMCommand(message);
  }

  int defaults = 0;
  int textChanges = 0;
  int commands = 0;
};

class TStaticProbe : public TControl {
public:
  using TControl::TControl;
  std::wstring ClassName() const override { return L"TStaticProbe"; }
  void CreateParams(TWidgetCreateParams& params) override {
    TControl::CreateParams(params);
    CreateSubclass(params, L"STATIC");
  }
};

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A visible top-level window on the test display to hold the controls.
class Control : public ::testing::Test {
protected:
  void SetUp() override {
    host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPED | WS_VISIBLE, 100, 100, 300, 200,
                           nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    probe.ParentWindow = host;
    probe.SetSize(100, 50);
  }
  void TearDown() override {
    if (IsWindow(host))
      DestroyWindow(host);
    PumpMessages();
  }

  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(probe.Handle(), msg, wParam, lParam);
  }

  HWND host = nullptr;
  TProbe probe{nullptr};
};

std::wstring ErrorMessage(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message();
  }
  return L"(no error)";
}

} // namespace

TEST(ControlNames, EveryControlGetsTheNextNumberWhateverItsClass) {
  TControl first(nullptr);
  TProbe second(nullptr);
  TControl third(nullptr);
  const int number = std::stoi(first.Name.substr(7));
  EXPECT_EQ(first.Name.substr(0, 7), L"Widget_");
  EXPECT_EQ(second.Name, L"Widget_" + std::to_wstring(number + 1));
  EXPECT_EQ(third.Name, L"Widget_" + std::to_wstring(number + 2));
}

TEST(ControlOwnership, AnOwnerFreesWhatItOwns) {
  auto* owner = new TControl(nullptr);
  auto* owned = new TProbe(owner);
  EXPECT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owned->Owner(), owner);
  delete owner; // frees owned too; a leak or a double free shows under the debug heap
}

TEST_F(Control, AChildWithoutAParentCannotGetAWindow) {
  TProbe orphan(nullptr);
  EXPECT_EQ(ErrorMessage([&] { orphan.Handle(); }), L"Parent Required " + orphan.Name);
  EXPECT_FALSE(orphan.HasWindow());
}

TEST_F(Control, WindowsAreCreatedLazilyParentsFirst) {
  TProbe parent(nullptr);
  parent.ParentWindow = host;
  TProbe child(nullptr);
  child.Parent = &parent;
  EXPECT_FALSE(parent.HasWindow());
  const HWND childWindow = child.Handle();
  ASSERT_TRUE(parent.HasWindow());
  EXPECT_EQ(GetParent(childWindow), parent.WindowHandle);
  EXPECT_EQ(parent.ControlCount(), 1);
  wchar_t className[64];
  GetClassNameW(childWindow, className, 64);
  EXPECT_STREQ(className, L"TProbe");
}

TEST_F(Control, AChildIdentifierDefaultsToItsOwnHandle) {
  const HWND window = probe.Handle();
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_ID), reinterpret_cast<LONG_PTR>(window));
  TProbe numbered(nullptr);
  numbered.ParentWindow = host;
  numbered.CtrlID = 5;
  EXPECT_EQ(GetWindowLongPtrW(numbered.Handle(), GWLP_ID), 5);
}

TEST_F(Control, ClassNameCanOnlyChangeBeforeTheWindowExists) {
  probe.SetClassNameW(L"NewsdropCustomClass");
  probe.Handle();
  probe.SetClassNameW(L"Ignored");
  EXPECT_EQ(probe.ClassNameW(), L"NewsdropCustomClass");
  wchar_t className[64];
  GetClassNameW(probe.WindowHandle, className, 64);
  EXPECT_STREQ(className, L"NewsdropCustomClass");
}

TEST_F(Control, CursorOutsideTheTableIsIgnoredAndTheHandAnswersOverTheClientArea) {
  probe.SetCursor(16);
  probe.SetCursor(-1);
  EXPECT_EQ(probe.Cursor(), 0);
  probe.SetCursor(13);
  EXPECT_EQ(probe.Cursor(), 13);

  probe.Handle();
  probe.defaults = 0;
  EXPECT_EQ(Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(probe.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            1);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(probe.defaults, 0) << "answered without default processing";
  Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(probe.Handle()), MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
  EXPECT_EQ(probe.defaults, 1) << "over a border the default runs";
}

TEST_F(Control, ACaptionSetBeforeTheWindowBecomesItsName) {
  probe.Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
  EXPECT_EQ(probe.Caption(), L"abc");
  wchar_t text[16] = {};
  GetWindowTextW(probe.Handle(), text, 16);
  EXPECT_STREQ(text, L"abc");

  probe.SetCaption(L"Gündem");
  GetWindowTextW(probe.WindowHandle, text, 16);
  EXPECT_STREQ(text, L"Gündem");
  EXPECT_EQ(probe.Caption(), L"Gündem");
}

TEST_F(Control, TextChangedIsSentOnlyOnAChange) {
  probe.SetCaption(L"a");
  probe.SetCaption(L"a");
  EXPECT_EQ(probe.textChanges, 1);
  probe.Handle();
  probe.SetCaption(L"a");
  probe.SetCaption(L"b");
  EXPECT_EQ(probe.textChanges, 2);
}

TEST_F(Control, EnterAndLeaveFireOncePerVisit) {
  int moves = 0, enters = 0, leaves = 0;
  int enterKeys = -1, enterX = -1, enterY = -1;
  probe.OnMouseMove = [&](TControl*, int, int, int) { ++moves; };
  probe.OnMouseEnter = [&](TControl*, int keys, int x, int y) {
    ++enters;
    enterKeys = keys, enterX = x, enterY = y;
  };
  probe.OnMouseLeave = [&](TControl*, int, int, int) { ++leaves; };

  Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(7, 8));
  PumpMessages();
  EXPECT_EQ(moves, 2);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(enterKeys + enterX + enterY, 0);
  EXPECT_TRUE(probe.MouseInside());

  Send(WM_MOUSELEAVE);
  EXPECT_EQ(leaves, 1);
  EXPECT_FALSE(probe.MouseInside());
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  PumpMessages();
  EXPECT_EQ(enters, 2) << "a new visit";
}

TEST_F(Control, OnlyAPlainLeftButtonDrags) {
  int drags = 0, moves = 0;
  probe.OnDrag = [&](TControl*, int, int, int) { ++drags; };
  probe.OnMouseMove = [&](TControl*, int, int, int) { ++moves; };
  Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(drags, 1);
  EXPECT_EQ(moves, 0);
  EXPECT_FALSE(probe.MouseInside()) << "dragging does not track";
  Send(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(3, 3));
  Send(WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(3, 3));
  EXPECT_EQ(drags, 1);
  EXPECT_EQ(moves, 2);
}

TEST_F(Control, AClickIsAPlainLeftPressAndReleaseOverTheWindow) {
  probe.Handle();
  ShowWindow(probe.WindowHandle, SW_SHOW);
  RECT bounds{};
  GetWindowRect(probe.WindowHandle, &bounds);
  const struct {
    const char* name;
    UINT down, up;
    WPARAM downKeys;
    bool cursorInside;
    bool click;
  } cases[] = {
      {"left inside", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, true, true},
      {"shift-left", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON | MK_SHIFT, true, false},
      {"right", WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, true, false},
      {"released outside", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, false, false},
  };
  for (const auto& c : cases) {
    int clicks = 0, ups = 0, upKeys = 0;
    probe.OnClick = [&](TControl*, int, int, int) { ++clicks; };
    probe.OnMouseUp = [&](TControl*, int keys, int, int) { ++ups, upKeys = keys; };
    const POINT cursor = c.cursorInside ? POINT{bounds.left + 10, bounds.top + 10}
                                        : POINT{bounds.right + 50, bounds.bottom + 50};
    SetCursorPos(cursor.x, cursor.y);
    Send(c.down, c.downKeys, MAKELPARAM(10, 10));
    Send(c.up, c.downKeys & ~(MK_LBUTTON | MK_RBUTTON), MAKELPARAM(10, 10));
    EXPECT_EQ(ups, 1) << c.name;
    EXPECT_NE(upKeys & (c.up == WM_LBUTTONUP ? MK_LBUTTON : MK_RBUTTON), 0) << c.name;
    EXPECT_EQ(clicks, c.click ? 1 : 0) << c.name;
  }
}

TEST_F(Control, OnCharCanSwallowACharacter) {
  probe.OnChar = [](TControl*, int& charCode) {
    if (charCode == 'x')
      charCode = 0;
  };
  probe.Handle();
  probe.defaults = 0;
  Send(WM_CHAR, 'x');
  EXPECT_EQ(probe.defaults, 0);
  Send(WM_CHAR, 'y');
  EXPECT_EQ(probe.defaults, 1);
}

TEST_F(Control, AMenuCommandReachesNoControlAndNoDefault) {
  probe.Handle();
  probe.defaults = 0;
  Send(WM_COMMAND, 40000, 0);
  EXPECT_EQ(probe.defaults, 0);
}

TEST_F(Control, CommandsFromAChildAreReflectedToIt) {
  TProbe child(nullptr);
  child.Parent = &probe;
  child.Handle();
  Send(WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(child.WindowHandle));
  EXPECT_EQ(probe.commands, 1);
  EXPECT_EQ(child.commands, 1) << "reflected to the child's own WndProc";
}

TEST_F(Control, ShowHintBeforeTheWindowOnlyStoresTheFlag) {
  ToolTipWindow = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                  host, nullptr, nullptr, nullptr);
  ASSERT_NE(ToolTipWindow, nullptr);
  const auto toolCount = [] { return SendMessageW(ToolTipWindow, TTM_GETTOOLCOUNT, 0, 0); };
  probe.SetShowHint(true);
  probe.Handle();
  EXPECT_EQ(toolCount(), 0);
  probe.SetShowHint(false);
  probe.SetShowHint(true);
  EXPECT_EQ(toolCount(), 1);
  probe.SetShowHint(false);
  EXPECT_EQ(toolCount(), 0);
  DestroyWindow(ToolTipWindow);
  ToolTipWindow = nullptr;
}

TEST_F(Control, AnExistingClassIsSubclassedAndKeepsItsOwnBehaviour) {
  TStaticProbe label(nullptr);
  label.ParentWindow = host;
  label.Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"etiket"));
  const HWND window = label.Handle();
  wchar_t className[64];
  GetClassNameW(window, className, 64);
  EXPECT_EQ(_wcsicmp(className, L"STATIC"), 0);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), ToolkitWindowProc);
  int moves = 0;
  label.OnMouseMove = [&](TControl*, int, int, int) { ++moves; };
  SendMessageW(window, WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(moves, 1);
  wchar_t text[16] = {};
  GetWindowTextW(window, text, 16);
  EXPECT_STREQ(text, L"etiket");
}

TEST_F(Control, DestroyingTheWindowDetachesTheControl) {
  const HWND window = probe.Handle();
  DestroyWindow(window);
  EXPECT_FALSE(probe.HasWindow());
  EXPECT_EQ(GetPropW(window, MAKEINTATOM(WidgetAtom)), nullptr);
}

TEST_F(Control, AnExceptionInAHandlerEndsTheMessageLoopWithTheError) {
  probe.OnMouseMove = [](TControl*, int, int, int) { throw std::runtime_error("handler failed"); };
  Send(WM_MOUSEMOVE, 0, 0);
  EXPECT_TRUE(HasPendingToolkitError());
  probe.OnMouseMove = nullptr;
  MSG message;
  bool quit = false;
  while (!quit && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    quit = message.message == WM_QUIT;
    DispatchMessageW(&message);
  }
  EXPECT_TRUE(quit);
  EXPECT_THROW(RethrowPendingToolkitError(), std::runtime_error);
  EXPECT_FALSE(HasPendingToolkitError());
}

TEST_F(Control, PerformWorksWithoutAWindow) {
  TProbe windowless(nullptr);
  EXPECT_EQ(windowless.Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
  EXPECT_FALSE(windowless.HasWindow());
}

TEST_F(Control, MovesAndSizesReachTheWindowAndComeBack) {
  probe.SetLeft(20);
  probe.SetTop(30);
  const HWND window = probe.Handle();
  RECT bounds{};
  GetWindowRect(window, &bounds);
  POINT origin{bounds.left, bounds.top};
  ScreenToClient(host, &origin);
  EXPECT_EQ(origin.x, 20);
  EXPECT_EQ(origin.y, 30);
  probe.SetSize(60, 40);
  GetWindowRect(window, &bounds);
  EXPECT_EQ(bounds.right - bounds.left, 60);
  MoveWindow(window, 5, 6, 70, 45, FALSE);
  EXPECT_EQ(probe.Left(), 5);
  EXPECT_EQ(probe.Width(), 70);
  EXPECT_EQ(probe.ClientHeight, 45);
}
