#include "news/WrapLines.h"

#include <windows.h>

const wchar_t* const FeedBreakChars = L"\t -.";

// Positions are 1-based as in the algorithm this follows step by step; the
// odd-looking details (the rescan after a wrap, the quote toggle) decide
// exactly where lines end, and the list's layout relies on them.
std::wstring WrapLines(const std::wstring& line, const std::wstring& breakText,
                       const std::wstring& breakChars, int maxColumn) {
  const int length = static_cast<int>(line.size());
  const int breakLength = static_cast<int>(breakText.size());
  const auto at = [&](int position) { return line[position - 1]; };
  const auto isBreakChar = [&](wchar_t c) { return breakChars.find(c) != std::wstring::npos; };

  int position = 1;
  int column = 1;
  int linePosition = 1;
  int breakPosition = 0;
  bool quoted = false;
  bool existingBreak = false;
  std::wstring result;

  while (position <= length) {
    const wchar_t c = at(position);
    if (IS_HIGH_SURROGATE(c) && position < length && IS_LOW_SURROGATE(at(position + 1))) {
      ++position;
    } else {
      if (c == L'|')
        quoted = !quoted;
      if (!quoted) {
        if (breakLength > 0 && c == breakText[0]) {
          existingBreak = line.compare(position - 1, breakLength, breakText) == 0;
          if (existingBreak) {
            position += breakLength - 1;
            breakPosition = position;
          }
        }
        if (!existingBreak && isBreakChar(c))
          breakPosition = position;
      }
    }
    ++position;
    ++column;
    if (quoted || !(existingBreak || (column > maxColumn && breakPosition > linePosition)))
      continue;

    column = 1;
    result.append(line, linePosition - 1, breakPosition - linePosition + 1);
    if (c != L'|') {
      while (position <= length) {
        if (isBreakChar(at(position))) {
          ++position;
          existingBreak = false;
        } else if (at(position) == L'\r' && position < length && at(position + 1) == L'\n') {
          position += 2;
          existingBreak = true;
        } else {
          break;
        }
      }
    }
    if (position <= length && !existingBreak)
      result += breakText;
    ++breakPosition;
    linePosition = breakPosition;
    position = linePosition;
    existingBreak = false;
  }
  if (linePosition <= length)
    result.append(line, linePosition - 1, std::wstring::npos);
  return result;
}
