#include "support/ToolkitEnvironment.h"
#include "widgets/Desktop.h"

#include <gtest/gtest.h>

TEST(Desktop, AnswersTheWorkAreaOfThePrimaryScreen) {
  RECT saved{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved, 0);
  RECT area{0, 0, 1000, 700};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0));
  TDesktop desktop(nullptr);
  RECT answered{};
  EXPECT_TRUE(desktop.GetWorkArea(answered));
  EXPECT_EQ(answered.right, 1000);
  EXPECT_EQ(answered.bottom, 700);
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved, 0);
}
