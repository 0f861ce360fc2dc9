#include "shell/Options.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// Sets the desktop's work area for one test and puts the old one back.
class TWorkArea {
public:
  explicit TWorkArea(RECT area) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved_, 0);
    applied_ = SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0) != FALSE;
  }
  ~TWorkArea() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved_, 0); }

  bool Applied() const { return applied_; }

private:
  RECT saved_{};
  bool applied_ = false;
};

class Options : public ::testing::Test {
protected:
  std::wstring Name() const { return folder.File(L"options.ini"); }
  TTempFolder folder;
};

} // namespace

TEST_F(Options, DefaultPositionIsHalfTheFreeSpaceOfTheWorkArea) {
  const struct {
    RECT workArea;
    int left, top;
  } cases[] = {
      {{0, 0, 1920, 1040}, 722, 345},
      {{0, 40, 1920, 1080}, 722, 345},
      {{100, 0, 1380, 1024}, 402, 337},
      {{0, 0, 400, 300}, -37, -25},
  };
  for (const auto& c : cases) {
    TWorkArea area(c.workArea);
    ASSERT_TRUE(area.Applied());
    TOptions options(Name());
    EXPECT_EQ(options.Left(), c.left) << c.workArea.right;
    EXPECT_EQ(options.Top(), c.top) << c.workArea.bottom;
    EXPECT_EQ(options.DefaultLeft(), c.left);
    EXPECT_EQ(options.DefaultTop(), c.top);
  }
}

TEST_F(Options, AFreshStartHasEverySwitchOn) {
  TOptions options(Name());
  EXPECT_TRUE(options.AlwaysTop());
  EXPECT_TRUE(options.AutoScale());
  EXPECT_TRUE(options.ShowTray());
  EXPECT_TRUE(options.Startup());
}

TEST_F(Options, SavedValuesOverrideTheDefaultsAndBadTextFallsBack) {
  WriteFileBytes(Name(), Utf16Bytes(L"[options]\r\nalwaystop=0\r\nstartup=yes\r\n"
                                    L"[general]\r\nleft=0x64\r\ntop=abc\r\n",
                                    true));
  TOptions options(Name());
  EXPECT_FALSE(options.AlwaysTop());
  EXPECT_TRUE(options.AutoScale());
  EXPECT_TRUE(options.ShowTray());
  EXPECT_TRUE(options.Startup()) << "yes is not an integer";
  EXPECT_EQ(options.Left(), 100);
  EXPECT_EQ(options.Top(), options.DefaultTop());
}

TEST_F(Options, WritesAreReadBackBeforeTheFileIsWritten) {
  TOptions options(Name());
  options.SetAutoScale(false);
  options.SetTop(-20);
  EXPECT_FALSE(options.AutoScale());
  EXPECT_EQ(options.Top(), -20);
  EXPECT_EQ(GetFileAttributesW(Name().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Options, FirstWritesInSaveOrderGiveTheDocumentedFile) {
  {
    TOptions options(Name());
    options.SetLeft(722);
    options.SetTop(345);
    options.SetStartup(true);
    options.SetAlwaysTop(false);
    options.SetShowTray(true);
    options.SetAutoScale(true);
    options.UpdateFile();
  }
  EXPECT_EQ(
      ReadFileBytes(Name()),
      Utf16Bytes(L"[general]\r\nleft=722\r\ntop=345\r\n\r\n"
                 L"[options]\r\nstartup=1\r\nalwaystop=0\r\nshowtray=1\r\nautoscale=1\r\n\r\n",
                 true));
  TOptions reread(Name());
  EXPECT_FALSE(reread.AlwaysTop());
  EXPECT_EQ(reread.Left(), 722);
}
