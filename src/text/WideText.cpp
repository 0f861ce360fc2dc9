#include "text/WideText.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

wchar_t* CopyWideChars(wchar_t* destination, const wchar_t* source) {
  std::memcpy(destination, source, (std::wcslen(source) + 1) * sizeof(wchar_t));
  return destination;
}

wchar_t* CopyWideCharsMax(wchar_t* destination, const wchar_t* source, size_t n) {
  size_t copied = 0;
  while (copied < n && source[copied] != L'\0') {
    destination[copied] = source[copied];
    ++copied;
  }
  destination[copied] = L'\0';
  return destination;
}

const wchar_t* FindWideChars(const wchar_t* text, const wchar_t* substring) {
  if (!text || !substring || *substring == L'\0')
    return nullptr;
  return std::wcsstr(text, substring);
}

namespace {

using BufferHeader = uint32_t;

BufferHeader* HeaderOf(const wchar_t* buffer) {
  return reinterpret_cast<BufferHeader*>(const_cast<wchar_t*>(buffer)) - 1;
}

} // namespace

wchar_t* AllocWideBuffer(size_t capacity) {
  const size_t size = sizeof(BufferHeader) + capacity * sizeof(wchar_t);
  auto* block = static_cast<BufferHeader*>(std::calloc(1, size));
  if (!block)
    return nullptr;
  *block = static_cast<BufferHeader>(size);
  return reinterpret_cast<wchar_t*>(block + 1);
}

size_t WideBufferCapacity(const wchar_t* buffer) {
  return (*HeaderOf(buffer) - sizeof(BufferHeader)) / sizeof(wchar_t);
}

wchar_t* DuplicateWideBuffer(const wchar_t* text) {
  if (!text)
    return nullptr;
  wchar_t* copy = AllocWideBuffer(std::wcslen(text) + 1);
  return copy ? CopyWideChars(copy, text) : nullptr;
}

void FreeWideBuffer(wchar_t* buffer) {
  if (buffer)
    std::free(HeaderOf(buffer));
}

size_t FindWideSubstring(const std::wstring& substring, const std::wstring& text) {
  const wchar_t* found = FindWideChars(text.c_str(), substring.c_str());
  return found ? static_cast<size_t>(found - text.c_str()) + 1 : 0;
}

std::wstring ReplaceWideText(const std::wstring& source, const std::wstring& oldPattern,
                             const std::wstring& newPattern, bool replaceAll) {
  std::wstring result;
  const wchar_t* rest = source.c_str();
  const wchar_t* const end = rest + source.size();
  while (rest < end) {
    const wchar_t* found = FindWideChars(rest, oldPattern.c_str());
    if (!found)
      break;
    result.append(rest, found);
    result += newPattern;
    rest = found + oldPattern.size();
    if (!replaceAll)
      break;
  }
  return result.append(rest, end);
}

std::wstring TrimWide(const std::wstring& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] <= L' ')
    ++first;
  while (last > first && text[last - 1] <= L' ')
    --last;
  return text.substr(first, last - first);
}

std::string WideToCodePage(const std::wstring& text, unsigned codePage) {
  if (text.empty())
    return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string result(length, '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, result.data(), length, nullptr, nullptr);
  return result;
}

std::wstring CodePageToWide(const std::string& text, unsigned codePage) {
  if (text.empty())
    return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring result(length, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, result.data(), length);
  return result;
}

std::string WideToUtf8(const std::wstring& text) {
  return WideToCodePage(text, CP_UTF8);
}

std::wstring Utf8ToWide(const std::string& text) {
  return CodePageToWide(text, CP_UTF8);
}

std::string ToSystemCodePage(const std::wstring& text) {
  return WideToCodePage(text, CP_ACP);
}

std::wstring FromSystemCodePage(const std::string& text) {
  return CodePageToWide(text, CP_ACP);
}

std::wstring LoadWideResourceString(int id) {
  constexpr int BufferUnits = 1024;
  const HMODULE modules[] = {GetModuleHandleW(nullptr)};
  for (HMODULE module : modules) {
    wchar_t buffer[BufferUnits];
    const int length = LoadStringW(module, static_cast<UINT>(id), buffer, BufferUnits);
    if (length > 0)
      return std::wstring(buffer, length);
  }
  return {};
}
