#include "news/WrapLines.h"

#include <gtest/gtest.h>

namespace {

std::wstring Repeat(const std::wstring& text, int count) {
  std::wstring result;
  for (int i = 0; i < count; ++i)
    result += text;
  return result;
}

std::wstring Wrap(const std::wstring& line, int columns) {
  return WrapLines(line, L"\r\n", FeedBreakChars, columns);
}

} // namespace

TEST(WrapLines, BreaksAfterTheLastBreakCharacterWithinTheLimit) {
  const std::wstring word = L"abcd ";
  const std::wstring turkish = L"ğüşı ";
  const struct {
    const char* name;
    std::wstring line;
    int columns;
    std::wstring wrapped;
  } cases[] = {
      {"120 characters of short words at 50", Repeat(word, 24), 50,
       Repeat(word, 10) + L"\r\n" + Repeat(word, 10) + L"\r\n" + Repeat(word, 4)},
      {"Turkish letters count one column each", Repeat(turkish, 12), 50,
       Repeat(turkish, 10) + L"\r\n" + Repeat(turkish, 2)},
      {"summaries at 60", Repeat(L"abcdefghi ", 7), 60,
       Repeat(L"abcdefghi ", 6) + L"\r\n" + L"abcdefghi "},
      {"hyphens and full stops break too", Repeat(L"abcd-", 11) + L"x", 50,
       Repeat(L"abcd-", 10) + L"\r\n" + L"abcd-x"},
      {"a word longer than the limit stays whole", std::wstring(70, L'x') + L" tail", 50,
       std::wstring(70, L'x') + L" \r\ntail"},
      {"an existing break restarts the column count", L"ab\r\n" + Repeat(word, 10), 50,
       L"ab\r\n" + Repeat(word, 10)},
      {"no break is added when only break characters follow", Repeat(word, 10) + L"   ", 50,
       Repeat(word, 10) + L"   "},
      {"text between vertical bars is never broken", L"|" + Repeat(word, 16) + L"|", 50,
       L"|" + Repeat(word, 16) + L"|"},
      {"short lines stay as they are", L"kısa başlık", 50, L"kısa başlık"},
      {"empty", L"", 50, L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Wrap(c.line, c.columns), c.wrapped) << c.name;
}

TEST(WrapLines, EveryLineOfALongTitleFitsTheLimit) {
  const std::wstring title = L"Meclis bugün yeni bütçe için toplandı. Görüşmelerin "
                             L"gece yarısına kadar sürmesi bekleniyor; muhalefet "
                             L"değişiklik önergeleri hazırladı.";
  const std::wstring wrapped = Wrap(title, 50);
  size_t start = 0;
  std::wstring joined;
  for (size_t end = wrapped.find(L"\r\n");; end = wrapped.find(L"\r\n", start)) {
    const std::wstring line = wrapped.substr(start, end - start);
    EXPECT_LE(line.size(), 50u) << "line starting at " << start;
    joined += line;
    if (end == std::wstring::npos)
      break;
    start = end + 2;
  }
  EXPECT_EQ(joined, title) << "wrapping only inserts breaks";
}
