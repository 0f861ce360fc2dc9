#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the Wine prefix's temp folder, removed with its files.
class TTempFolder {
public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::vector<std::wstring> FileNames() const;

private:
  std::wstring path_;
};

std::vector<uint8_t> ReadFileBytes(const std::wstring& fileName);
void WriteFileBytes(const std::wstring& fileName, const std::vector<uint8_t>& bytes);
// Bytes of UTF-16 little-endian text, optionally behind the byte-order mark.
std::vector<uint8_t> Utf16Bytes(const std::wstring& text, bool withMark);
