#pragma once

#include "graphics/GdiPlus.h"
#include "widgets/Control.h"

#include <gtest/gtest.h>

// The toolkit's module start and end around the whole test executable.
class TToolkitEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    StartToolkit();
    ASSERT_TRUE(StartGdiPlus());
  }
  void TearDown() override {
    ShutdownGdiPlus();
    EndToolkit();
  }
};

inline const auto* const ToolkitEnvironment =
    ::testing::AddGlobalTestEnvironment(new TToolkitEnvironment);

inline void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}
