#pragma once

#include <string>

// Inserts breakText where a line passes maxColumn, only right after one of
// breakChars, so a long word stays whole and its break character ends its
// line. Breaks already in the text stay and restart the count; text between
// two vertical bars is never broken. One column per UTF-16 character.
std::wstring WrapLines(const std::wstring& line, const std::wstring& breakText,
                       const std::wstring& breakChars, int maxColumn);

// The break characters of titles and summaries: tab, space, hyphen, full stop.
extern const wchar_t* const FeedBreakChars;
