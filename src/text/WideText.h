#pragma once

#include <string>

// Helpers on zero-terminated UTF-16 buffers and on wide strings. Positions in
// wide strings are 1-based, 0 meaning "not found".

wchar_t* CopyWideChars(wchar_t* destination, const wchar_t* source);
// Copies at most n units and always terminates: the destination holds n + 1 units.
wchar_t* CopyWideCharsMax(wchar_t* destination, const wchar_t* source, size_t n);
const wchar_t* FindWideChars(const wchar_t* text, const wchar_t* substring);

// A zero-filled block of 4 + 2n bytes whose first 32-bit word is its own size;
// the address returned lies just behind that word.
wchar_t* AllocWideBuffer(size_t capacity);
size_t WideBufferCapacity(const wchar_t* buffer);
wchar_t* DuplicateWideBuffer(const wchar_t* text);
void FreeWideBuffer(wchar_t* buffer);

size_t FindWideSubstring(const std::wstring& substring, const std::wstring& text);
std::wstring ReplaceWideText(const std::wstring& source, const std::wstring& oldPattern,
                             const std::wstring& newPattern, bool replaceAll);

// Removes every unit up to U+0020 (blanks and control characters) from both ends.
std::wstring TrimWide(const std::wstring& text);

// Conversions between wide text and 8-bit text of a code page.
std::string WideToCodePage(const std::wstring& text, unsigned codePage);
std::wstring CodePageToWide(const std::string& text, unsigned codePage);
std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);
// The system's ANSI code page, the home of links, dates and HTTP fields.
std::string ToSystemCodePage(const std::wstring& text);
std::wstring FromSystemCodePage(const std::string& text);

// A string-table entry of the program, empty when there is none.
std::wstring LoadWideResourceString(int id);
