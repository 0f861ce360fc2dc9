#pragma once

#include <windows.h>

#include <exception>
#include <string>

// The run time's error family: every failure the program raises on purpose
// carries a wide message; what() gives it as UTF-8 for reports.
class Exception : public std::exception {
public:
  explicit Exception(std::wstring message);

  const std::wstring& Message() const { return message_; }
  const char* what() const noexcept override { return utf8Message_.c_str(); }

private:
  std::wstring message_;
  std::string utf8Message_;
};

class EStringListError : public Exception {
  using Exception::Exception;
};

class EConvertError : public Exception {
  using Exception::Exception;
};

class EStreamError : public Exception {
  using Exception::Exception;
};

class EFOpenError : public EStreamError {
  using EStreamError::EStreamError;
};

class EFCreateError : public EStreamError {
  using EStreamError::EStreamError;
};

class EReadError : public EStreamError {
  using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
  using EStreamError::EStreamError;
};

class EResNotFound : public Exception {
  using Exception::Exception;
};

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorMessage(DWORD errorCode);
