#include "text/WideText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

TEST(WideBuffers, CopyWideCharsMaxStopsAtTheLimitOrTheTerminator) {
  const struct {
    const wchar_t* source;
    size_t max;
    std::wstring copied;
  } cases[] = {
      {L"abc", 0, L""},     {L"abc", 2, L"ab"}, {L"abc", 3, L"abc"},
      {L"abc", 10, L"abc"}, {L"", 5, L""},
  };
  for (const auto& c : cases) {
    wchar_t buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    EXPECT_EQ(CopyWideCharsMax(buffer, c.source, c.max), buffer);
    EXPECT_EQ(std::wstring(buffer), c.copied) << "max " << c.max;
    EXPECT_EQ(buffer[c.copied.size() + 1], L'#') << "nothing written behind the terminator";
  }
}

TEST(WideBuffers, CopyWideCharsCopiesTheTerminator) {
  wchar_t buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), L'#');
  CopyWideChars(buffer, L"ğü");
  EXPECT_EQ(std::wstring(buffer), L"ğü");
  EXPECT_EQ(buffer[3], L'#');
}

TEST(WideBuffers, FindWideCharsReturnsTheFirstExactOccurrence) {
  const wchar_t* text = L"abcabc";
  EXPECT_EQ(FindWideChars(text, L"bc"), text + 1);
  EXPECT_EQ(FindWideChars(text, L"BC"), nullptr);
  EXPECT_EQ(FindWideChars(text, L""), nullptr);
  EXPECT_EQ(FindWideChars(text, nullptr), nullptr);
  EXPECT_EQ(FindWideChars(nullptr, L"a"), nullptr);
  EXPECT_EQ(FindWideChars(text, L"abcabcd"), nullptr);
}

TEST(WideBuffers, AllocatedBufferIsZeroedAndCarriesItsSizeInFront) {
  wchar_t* buffer = AllocWideBuffer(10);
  ASSERT_NE(buffer, nullptr);
  uint32_t size = 0;
  std::memcpy(&size, reinterpret_cast<uint8_t*>(buffer) - 4, 4);
  EXPECT_EQ(size, 24u);
  EXPECT_EQ(WideBufferCapacity(buffer), 10u);
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(buffer[i], L'\0');
  FreeWideBuffer(buffer);
  FreeWideBuffer(nullptr);
}

TEST(WideBuffers, DuplicateHoldsTheTextAndItsTerminator) {
  EXPECT_EQ(DuplicateWideBuffer(nullptr), nullptr);
  wchar_t* copy = DuplicateWideBuffer(L"şey");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(std::wstring(copy), L"şey");
  EXPECT_EQ(WideBufferCapacity(copy), 4u);
  FreeWideBuffer(copy);
}

TEST(WideText, FindWideSubstringGivesOneBasedPositions) {
  const struct {
    std::wstring substring, text;
    size_t position;
  } cases[] = {
      {L"a", L"a", 1},   {L"c", L"abc", 3},    {L"bc", L"abcbc", 2}, {L"", L"abc", 0},
      {L"x", L"abc", 0}, {L"abcd", L"abc", 0}, {L"İ", L"iİı", 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FindWideSubstring(c.substring, c.text), c.position)
        << "substring of length " << c.substring.size();
}

TEST(WideText, ReplaceWideTextReplacesLeftToRightWithoutRescanning) {
  const struct {
    std::wstring source, oldPattern, newPattern;
    bool all;
    std::wstring result;
  } cases[] = {
      {L"a\\b\\\\c", L"\\", L"\\\\", true, L"a\\\\b\\\\\\\\c"},
      {L"xx", L"x", L"y", false, L"yx"},
      {L"xx", L"x", L"y", true, L"yy"},
      {L"aaa", L"aa", L"b", true, L"ba"},
      {L"ab", L"b", L"bb", true, L"abb"},
      {L"abc", L"", L"z", true, L"abc"},
      {L"", L"a", L"b", true, L""},
      {L"abc", L"x", L"y", true, L"abc"},
      {L"abab", L"ab", L"", true, L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReplaceWideText(c.source, c.oldPattern, c.newPattern, c.all), c.result);
}

TEST(WideText, ResourceStringsLoadInTurkishAndMissingOnesAreEmpty) {
  EXPECT_EQ(LoadWideResourceString(100), L"Newsdrop");
  EXPECT_EQ(LoadWideResourceString(101), L"Güncelleniyor... ğüşıöç ĞÜŞİÖÇ");
  EXPECT_EQ(LoadWideResourceString(999), L"");
}

TEST(WideText, ResourceStringsAreCutAt1023Characters) {
  const std::wstring text = LoadWideResourceString(102);
  EXPECT_EQ(text.size(), 1023u);
  EXPECT_EQ(text.substr(0, 4), L"abab");
}
