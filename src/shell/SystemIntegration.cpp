#include "shell/SystemIntegration.h"

#include <shlobj.h>

const char* const RunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring GetSpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_DEFAULT, path) != S_OK)
    return {};
  return path;
}

LONG SetAutoStart(const std::string& valueName, const std::string& valueData, bool enable) {
  if (enable)
    return RegWriteString(HKEY_CURRENT_USER, RunKeyPath, valueName, valueData, true);
  return RegDeleteString(HKEY_CURRENT_USER, RunKeyPath, valueName);
}

namespace {

class TRegKey {
public:
  TRegKey() = default;
  ~TRegKey() {
    if (key_)
      RegCloseKey(key_);
  }
  TRegKey(const TRegKey&) = delete;
  TRegKey& operator=(const TRegKey&) = delete;

  HKEY* Receive() { return &key_; }
  HKEY Get() const { return key_; }

private:
  HKEY key_ = nullptr;
};

class THandle {
public:
  explicit THandle(HANDLE handle) : handle_(handle) {}
  ~THandle() {
    if (handle_)
      CloseHandle(handle_);
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;

  HANDLE Get() const { return handle_; }

private:
  HANDLE handle_;
};

} // namespace

LONG RegWriteString(HKEY root, const std::string& keyPath, const std::string& valueName,
                    const std::string& valueData, bool create) {
  TRegKey key;
  const LONG opened =
      create ? RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr)
             : RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_ALL_ACCESS, key.Receive());
  if (opened != ERROR_SUCCESS)
    return opened;
  RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(valueData.c_str()),
                 static_cast<DWORD>(valueData.size() + 1));
  return ERROR_SUCCESS;
}

LONG RegDeleteString(HKEY root, const std::string& keyPath, const std::string& valueName) {
  TRegKey key;
  const LONG opened = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_ALL_ACCESS, key.Receive());
  if (opened != ERROR_SUCCESS)
    return opened;
  return RegDeleteValueA(key.Get(), valueName.c_str());
}

void TrimWorkingSet() {
  THandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, GetCurrentProcessId()));
  if (process.Get())
    SetProcessWorkingSetSize(process.Get(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  ProcessPendingMessages();
}

// A quit message taken here is posted again once the queue is empty, so the
// message loop still sees it and the program does not go on running.
void ProcessPendingMessages() {
  MSG message;
  bool quit = false;
  WPARAM exitCode = 0;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      exitCode = message.wParam;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (quit)
    PostQuitMessage(static_cast<int>(exitCode));
}
