#include "shell/SystemIntegration.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <vector>

namespace {

const char* const ValueName = "Newsdrop";

struct TRegValue {
  LONG result = ERROR_FILE_NOT_FOUND;
  DWORD type = 0;
  std::vector<char> data;
};

TRegValue ReadRunValue() {
  TRegValue value;
  HKEY key = nullptr;
  value.result = RegOpenKeyExA(HKEY_CURRENT_USER, RunKeyPath, 0, KEY_READ, &key);
  if (value.result != ERROR_SUCCESS)
    return value;
  DWORD size = 0;
  value.result = RegQueryValueExA(key, ValueName, nullptr, &value.type, nullptr, &size);
  if (value.result == ERROR_SUCCESS) {
    value.data.resize(size);
    value.result = RegQueryValueExA(key, ValueName, nullptr, &value.type,
                                    reinterpret_cast<BYTE*>(value.data.data()), &size);
  }
  RegCloseKey(key);
  return value;
}

std::string QuotedExecutablePath() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string quoted(1, '"');
  quoted.append(path).push_back('"');
  return quoted;
}

bool RunKeyExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

} // namespace

TEST(SpecialFolders, AppDataIsTheUsersRoamingFolder) {
  const std::wstring folder = GetSpecialFolder(CSIDL_APPDATA);
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.substr(folder.size() - 16), L"\\AppData\\Roaming");
  EXPECT_NE(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SpecialFolders, AnUnknownFolderGivesAnEmptyPath) {
  EXPECT_EQ(GetSpecialFolder(0x7F), L"");
}

TEST(AutoStart, EnableWritesTheQuotedPathAndDisableRemovesOnlyTheValue) {
  SetAutoStart(ValueName, "", false);
  const std::string path = QuotedExecutablePath();
  EXPECT_EQ(SetAutoStart(ValueName, path, true), ERROR_SUCCESS);
  TRegValue value = ReadRunValue();
  ASSERT_EQ(value.result, ERROR_SUCCESS);
  EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(value.data.size(), path.size() + 1) << "stored with its terminating zero";
  EXPECT_EQ(std::string(value.data.data()), path);

  EXPECT_EQ(SetAutoStart(ValueName, "\"C:\\Other\\newsdrop.exe\"", true), ERROR_SUCCESS);
  EXPECT_EQ(std::string(ReadRunValue().data.data()), "\"C:\\Other\\newsdrop.exe\"");

  EXPECT_EQ(SetAutoStart(ValueName, "", false), ERROR_SUCCESS);
  EXPECT_EQ(ReadRunValue().result, ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(RunKeyExists());
}

TEST(AutoStart, DisablingAMissingValueReportsAnErrorAndChangesNothing) {
  SetAutoStart(ValueName, "", false);
  EXPECT_EQ(SetAutoStart(ValueName, "", false), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(RunKeyExists());
}

TEST(Registry, WritingWithoutCreateToAMissingKeyFails) {
  const std::string missing = "Software\\Newsdrop Test\\Missing";
  EXPECT_EQ(RegWriteString(HKEY_CURRENT_USER, missing, "v", "d", false), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteString(HKEY_CURRENT_USER, missing, "v"), ERROR_FILE_NOT_FOUND);
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, missing.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
}

namespace {

std::vector<UINT> dispatched;

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_APP)
    dispatched.push_back(message);
  return DefWindowProcA(window, message, wParam, lParam);
}

class PendingMessages : public ::testing::Test {
protected:
  void SetUp() override {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "NewsdropPendingTest";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, "NewsdropPendingTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    dispatched.clear();
  }
  void TearDown() override { DestroyWindow(window); }

  HWND window = nullptr;
};

} // namespace

TEST_F(PendingMessages, EveryWaitingMessageIsDispatchedInOrder) {
  for (UINT message : {WM_APP + 1, WM_APP + 2, WM_APP + 3})
    PostMessageA(window, message, 0, 0);
  ProcessPendingMessages();
  EXPECT_EQ(dispatched, (std::vector<UINT>{WM_APP + 1, WM_APP + 2, WM_APP + 3}));
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(PendingMessages, TrimWorkingSetAlsoDispatches) {
  PostMessageA(window, WM_APP + 7, 0, 0);
  TrimWorkingSet();
  EXPECT_EQ(dispatched, std::vector<UINT>{WM_APP + 7});
}

TEST_F(PendingMessages, AQuitMessageIsNotDispatchedButStaysForTheMessageLoop) {
  PostMessageA(window, WM_APP + 1, 0, 0);
  PostQuitMessage(3);
  PostMessageA(window, WM_APP + 2, 0, 0);
  ProcessPendingMessages();
  EXPECT_EQ(dispatched, (std::vector<UINT>{WM_APP + 1, WM_APP + 2}));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 3u);
}
