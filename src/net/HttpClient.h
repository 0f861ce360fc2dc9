#pragma once

#include "text/Streams.h"

#include <windows.h>
#include <wininet.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// The one WinINet session of the process, null when closed. Workers only read it.
extern HINTERNET Session;

bool OpenSession();
void CloseSession();

constexpr int HttpFieldCount = 12;

// Request slots.
constexpr int FieldHost = 0;
constexpr int FieldPath = 1;
constexpr int FieldMethod = 2;
constexpr int FieldCookie = 3;
constexpr int FieldContentType = 4;
constexpr int FieldAccept = 6;
constexpr int FieldConnection = 7;
constexpr int FieldVersion = 8;
constexpr int FieldReferer = 9;
constexpr int FieldUserAgent = 10;
// Response slot of the first Set-Cookie header.
constexpr int FieldSetCookie = 4;

class TResponse {
public:
  std::string GetField(int index) const;
  void SetField(int index, const std::string& value);
  void SetRawHeaders(const std::string& headers) { RawHeaders = headers; }

  std::array<std::string, HttpFieldCount> Fields;
  TMemoryStream Body;
  std::string RawHeaders;
};

// One HTTP request over the session, run synchronously by Execute. The status
// is not looked at: an error page reaches the caller like any body.
class TRequest {
public:
  TRequest();

  std::string GetField(int index) const;
  void SetField(int index, const std::string& value);
  void AddHeader(const std::string& value, const std::string& format);
  // 0 when the whole body was read, -1 on any failure.
  int32_t Execute(HINTERNET session);

  std::unique_ptr<TResponse> Response;
  std::string Body;
  std::array<std::string, HttpFieldCount> Fields;
  DWORD_PTR Context = 0;
  std::string Headers;
  bool Secure = false;
  bool AutoRedirect = true;

private:
  void BuildHeaders();
  bool ReadBody(HINTERNET request);
};

// All bytes of the response body, whatever its read position.
std::string BodyText(const TResponse& response);
