#pragma once

#include "graphics/GdiPlus.h"

#include <gtest/gtest.h>

// GDI+ for the whole test executable, as the program's module start-up does.
class TGdiPlusEnvironment : public ::testing::Environment {
public:
  void SetUp() override { ASSERT_TRUE(StartGdiPlus()); }
  void TearDown() override { ShutdownGdiPlus(); }
};

inline const auto* const GdiPlusEnvironment =
    ::testing::AddGlobalTestEnvironment(new TGdiPlusEnvironment);
