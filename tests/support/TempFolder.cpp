#include "support/TempFolder.h"

#include <shellapi.h>

#include <stdexcept>

TTempFolder::TTempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    path_ = std::wstring(base) + L"newsdrop-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    if (CreateDirectoryW(path_.c_str(), nullptr))
      return;
    if (GetLastError() != ERROR_ALREADY_EXISTS)
      throw std::runtime_error("cannot create a temporary folder");
  }
}

TTempFolder::~TTempFolder() {
  std::wstring from = path_ + L'\0';
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  SHFileOperationW(&operation);
}

std::vector<std::wstring> TTempFolder::FileNames() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE)
    return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..")
      names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& fileName) {
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw std::runtime_error("cannot open a file for reading");
  std::vector<uint8_t> bytes(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

void WriteFileBytes(const std::wstring& fileName, const std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileW(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw std::runtime_error("cannot create a file");
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::vector<uint8_t> Utf16Bytes(const std::wstring& text, bool withMark) {
  std::vector<uint8_t> bytes;
  if (withMark)
    bytes = {0xFF, 0xFE};
  for (wchar_t unit : text) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return bytes;
}
