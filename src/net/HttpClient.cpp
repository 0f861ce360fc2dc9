#include "net/HttpClient.h"

#include <vector>

HINTERNET Session = nullptr;

namespace {

constexpr DWORD ReadChunkSize = 8192;
constexpr DWORD HeaderBufferSize = 8192;

// A WinINet handle closed when it goes out of scope.
class TInternetHandle {
public:
  explicit TInternetHandle(HINTERNET handle) : handle_(handle) {}
  ~TInternetHandle() {
    if (handle_)
      InternetCloseHandle(handle_);
  }
  TInternetHandle(const TInternetHandle&) = delete;
  TInternetHandle& operator=(const TInternetHandle&) = delete;

  HINTERNET Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

private:
  HINTERNET handle_;
};

bool ValidField(int index) {
  return index >= 0 && index < HttpFieldCount;
}

std::string QueryInfo(HINTERNET request, DWORD infoLevel) {
  std::vector<char> buffer(HeaderBufferSize, '\0');
  DWORD length = HeaderBufferSize;
  DWORD index = 0;
  if (!HttpQueryInfoA(request, infoLevel, buffer.data(), &length, &index))
    return {};
  const std::string text(buffer.data(), std::min(length, HeaderBufferSize));
  return text.substr(0, text.find('\0'));
}

} // namespace

bool OpenSession() {
  CloseSession();
  Session = InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  return Session != nullptr;
}

void CloseSession() {
  if (Session && InternetCloseHandle(Session))
    Session = nullptr;
}

std::string TResponse::GetField(int index) const {
  return ValidField(index) ? Fields[index] : std::string();
}

void TResponse::SetField(int index, const std::string& value) {
  if (ValidField(index))
    Fields[index] = value;
}

TRequest::TRequest() : Response(std::make_unique<TResponse>()) {
  Fields[FieldMethod] = "GET";
  Fields[FieldVersion] = "HTTP/1.1";
}

std::string TRequest::GetField(int index) const {
  return ValidField(index) ? Fields[index] : std::string();
}

void TRequest::SetField(int index, const std::string& value) {
  if (ValidField(index))
    Fields[index] = value;
}

void TRequest::AddHeader(const std::string& value, const std::string& format) {
  if (value.empty())
    return;
  std::string line = format;
  const size_t placeholder = line.find("%s");
  if (placeholder != std::string::npos)
    line.replace(placeholder, 2, value);
  Headers += line;
}

void TRequest::BuildHeaders() {
  AddHeader(Fields[FieldAccept], "Accept: %s\r\n");
  AddHeader(Fields[FieldCookie], "Cookie: %s\r\n");
  AddHeader(Fields[FieldReferer], "Referer: %s\r\n");
  AddHeader(Fields[FieldUserAgent], "User-Agent: %s\r\n");
  AddHeader(Fields[FieldConnection], "Connection: %s\r\n");
  AddHeader(Fields[FieldContentType], "Content-Type: %s\r\n");
}

int32_t TRequest::Execute(HINTERNET session) {
  if (!session)
    return -1;
  const INTERNET_PORT port = Secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
  TInternetHandle connection(InternetConnectA(session, Fields[FieldHost].c_str(), port, nullptr,
                                              nullptr, INTERNET_SERVICE_HTTP, 0, Context));
  if (!connection)
    return -1;
  const DWORD flags = (Secure ? INTERNET_FLAG_SECURE : 0) | INTERNET_FLAG_HYPERLINK |
                      (AutoRedirect ? 0 : INTERNET_FLAG_NO_AUTO_REDIRECT);
  TInternetHandle request(HttpOpenRequestA(connection.Get(), Fields[FieldMethod].c_str(),
                                           Fields[FieldPath].c_str(), Fields[FieldVersion].c_str(),
                                           nullptr, nullptr, flags, Context));
  if (!request)
    return -1;
  BuildHeaders();
  if (!HttpSendRequestA(request.Get(), Headers.empty() ? nullptr : Headers.c_str(),
                        static_cast<DWORD>(Headers.size()),
                        Body.empty() ? nullptr : const_cast<char*>(Body.data()),
                        static_cast<DWORD>(Body.size())))
    return -1;
  Response->SetField(FieldSetCookie, QueryInfo(request.Get(), HTTP_QUERY_SET_COOKIE));
  Response->SetRawHeaders(QueryInfo(request.Get(), HTTP_QUERY_RAW_HEADERS_CRLF));
  return ReadBody(request.Get()) ? 0 : -1;
}

// Reads until a read delivers nothing; ERROR_IO_PENDING is not a failure.
bool TRequest::ReadBody(HINTERNET request) {
  std::vector<char> buffer(ReadChunkSize);
  for (;;) {
    DWORD available = 0;
    if (!InternetQueryDataAvailable(request, &available, 0, Context) &&
        GetLastError() != ERROR_IO_PENDING)
      return false;
    std::fill(buffer.begin(), buffer.end(), '\0');
    DWORD read = 0;
    if (!InternetReadFile(request, buffer.data(), ReadChunkSize, &read)) {
      if (GetLastError() != ERROR_IO_PENDING)
        return false;
      read = 0;
    }
    if (read == 0)
      return true;
    Response->Body.WriteBuffer(buffer.data(), read);
  }
}

std::string BodyText(const TResponse& response) {
  const auto& bytes = response.Body.Bytes();
  return std::string(bytes.begin(), bytes.end());
}
