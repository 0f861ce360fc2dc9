#pragma once

#include <windows.h>

#include <string>

// A shell folder's path (CSIDL), empty on any failure.
std::wstring GetSpecialFolder(int csidl);

// Writes (enable) or deletes the autostart value under the current user's Run
// key; returns 0 or the system error code.
LONG SetAutoStart(const std::string& valueName, const std::string& valueData, bool enable);
LONG RegWriteString(HKEY root, const std::string& keyPath, const std::string& valueName,
                    const std::string& valueData, bool create);
LONG RegDeleteString(HKEY root, const std::string& keyPath, const std::string& valueName);

// Gives the process's pages back to the system, then dispatches what is waiting.
void TrimWorkingSet();
void ProcessPendingMessages();

extern const char* const RunKeyPath;
