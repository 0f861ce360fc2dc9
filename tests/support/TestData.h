#pragma once

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

// A file of the test tree as Wine sees it: the Unix root is drive Z:.
inline std::wstring TestDataFile(const std::wstring& relativePath) {
  std::wstring path = L"Z:" + std::wstring(NEWSDROP_TESTS_DIR L"/") + relativePath;
  for (wchar_t& c : path)
    if (c == L'/')
      c = L'\\';
  return path;
}

// COM for the test's main thread, as the program initialises it.
class TComEnvironment : public ::testing::Environment {
public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override { CoUninitialize(); }
};
