#include "net/InetThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <new>
#include <string>
#include <vector>

// These tests need tests/net/http_test_server.py listening on 127.0.0.1:80 and
// :443; their ctest entry starts it around the test executable.

namespace {

constexpr UINT WM_TESTDONE = WM_APP + 47;
const char* const Host = "127.0.0.1";

class THttpClient : public ::testing::Test {
protected:
  static void SetUpTestSuite() { ASSERT_TRUE(OpenSession()); }
  static void TearDownTestSuite() { CloseSession(); }

  void SetUp() override {
    window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window))
      DestroyWindow(window);
  }

  std::unique_ptr<TInternetThread> NewWorker(const std::string& path) {
    auto worker = std::make_unique<TInternetThread>(window, Session, WM_TESTDONE);
    worker->Request->SetField(FieldHost, Host);
    worker->Request->SetField(FieldPath, path);
    return worker;
  }

  // Resumes the worker and waits for its completion message; the result, or
  // nullopt when no message came.
  std::optional<LPARAM> Run(TInternetThread& worker, DWORD timeoutMs = 10000) {
    worker.Resume();
    return WaitForCompletion(timeoutMs);
  }

  std::optional<LPARAM> WaitForCompletion(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < timeoutMs) {
      if (PeekMessageW(&message, nullptr, WM_TESTDONE, WM_TESTDONE, PM_REMOVE)) {
        EXPECT_EQ(message.hwnd, window);
        EXPECT_EQ(message.wParam, 0u);
        return message.lParam;
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_POSTMESSAGE);
    }
    return std::nullopt;
  }

  std::string Fetch(const std::string& path) {
    auto worker = NewWorker(path);
    EXPECT_EQ(Run(*worker), 0);
    return BodyText(*worker->Response());
  }

  HWND window = nullptr;
};

std::string Pattern(size_t count) {
  std::string bytes(count, '\0');
  for (size_t i = 0; i < count; ++i)
    bytes[i] = static_cast<char>(i % 251);
  return bytes;
}

} // namespace

TEST_F(THttpClient, AnErrorStatusStillCompletesWithItsPage) {
  auto worker = NewWorker("/status/404");
  EXPECT_EQ(Run(*worker), 0);
  EXPECT_EQ(BodyText(*worker->Response()), "<html>not here</html>");
  EXPECT_EQ(worker->Response()->RawHeaders.rfind("HTTP/1.1 404", 0), 0u);
  EXPECT_NE(worker->Response()->RawHeaders.find("\r\nContent-Length: 21\r\n"), std::string::npos);
}

TEST_F(THttpClient, BodiesOfEverySizeArriveComplete) {
  for (size_t size : {size_t{1}, size_t{8191}, size_t{8192}, size_t{3 * 8192 + 5}}) {
    auto worker = NewWorker("/bytes/" + std::to_string(size));
    EXPECT_EQ(Run(*worker), 0) << size;
    EXPECT_EQ(BodyText(*worker->Response()), Pattern(size)) << size;
  }
  auto empty = NewWorker("/empty");
  EXPECT_EQ(Run(*empty), 0);
  EXPECT_EQ(BodyText(*empty->Response()), "");
}

TEST_F(THttpClient, AMegabyteOverLoopback) {
  const size_t size = 1 << 20;
  const auto start = std::chrono::steady_clock::now();
  const std::string body = Fetch("/bytes/" + std::to_string(size));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(body, Pattern(size));
  std::printf("1 MiB fetched in %lld ms\n",
              static_cast<long long>(
                  std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
}

TEST_F(THttpClient, BodyTextIgnoresTheReadPosition) {
  auto worker = NewWorker("/bytes/10");
  EXPECT_EQ(Run(*worker), 0);
  worker->Response()->Body.SetPosition(4);
  EXPECT_EQ(BodyText(*worker->Response()), Pattern(10));
}

TEST_F(THttpClient, TheFirstSetCookieGoesIntoSlotFour) {
  const struct {
    int cookies;
    std::string slot;
  } cases[] = {{0, ""}, {1, "c1=one"}, {3, "c1=one"}};
  for (const auto& c : cases) {
    auto worker = NewWorker("/cookies/" + std::to_string(c.cookies));
    EXPECT_EQ(Run(*worker), 0);
    EXPECT_EQ(worker->Response()->GetField(FieldSetCookie), c.slot) << c.cookies;
  }
}

TEST_F(THttpClient, EmptySlotsSendNoExtraHeaderLines) {
  auto worker = NewWorker("/echo");
  EXPECT_EQ(Run(*worker), 0);
  EXPECT_EQ(worker->Request->Headers, "");
  const std::string echo = BodyText(*worker->Response());
  EXPECT_EQ(echo.rfind("GET /echo HTTP/1.1\r\n", 0), 0u) << echo;
  for (const char* name : {"Accept:", "Cookie:", "Referer:", "User-Agent:", "Content-Type:"})
    EXPECT_EQ(echo.find(name), std::string::npos) << name << " in\n" << echo;
}

TEST_F(THttpClient, FilledSlotsArriveAsHeaderLinesInTheFixedOrder) {
  auto worker = NewWorker("/echo");
  TRequest& request = *worker->Request;
  request.SetField(FieldContentType, "text/plain");
  request.SetField(FieldConnection, "close");
  request.SetField(FieldUserAgent, "Newsdrop-Test");
  request.SetField(FieldReferer, "http://referer.test/");
  request.SetField(FieldCookie, "id=42");
  request.SetField(FieldAccept, "text/xml");
  EXPECT_EQ(Run(*worker), 0);
  EXPECT_EQ(request.Headers,
            "Accept: text/xml\r\nCookie: id=42\r\nReferer: http://referer.test/\r\n"
            "User-Agent: Newsdrop-Test\r\nConnection: close\r\n"
            "Content-Type: text/plain\r\n");

  const std::string echo = BodyText(*worker->Response());
  size_t previous = 0;
  for (const char* line :
       {"Accept: text/xml", "Cookie: id=42", "Referer: http://referer.test/",
        "User-Agent: Newsdrop-Test", "Connection: close", "Content-Type: text/plain"}) {
    const size_t found = echo.find(std::string("\r\n") + line + "\r\n");
    ASSERT_NE(found, std::string::npos) << line << " missing in\n" << echo;
    EXPECT_GT(found, previous) << line << " out of order in\n" << echo;
    previous = found;
  }
}

TEST_F(THttpClient, TheBodyIsSentAsOptionalData) {
  auto worker = NewWorker("/echo");
  worker->Request->SetField(FieldMethod, "POST");
  worker->Request->SetField(FieldContentType, "application/x-www-form-urlencoded");
  worker->Request->Body = "a=1&b=2";
  EXPECT_EQ(Run(*worker), 0);
  const std::string echo = BodyText(*worker->Response());
  EXPECT_EQ(echo.rfind("POST /echo HTTP/1.1\r\n", 0), 0u);
  EXPECT_EQ(echo.substr(echo.size() - 7), "a=1&b=2");
}

TEST_F(THttpClient, RedirectsAreFollowedUnlessSwitchedOff) {
  auto following = NewWorker("/redirect");
  EXPECT_EQ(Run(*following), 0);
  EXPECT_EQ(following->Response()->RawHeaders.rfind("HTTP/1.1 200", 0), 0u);

  auto stopping = NewWorker("/redirect");
  stopping->Request->AutoRedirect = false;
  EXPECT_EQ(Run(*stopping), 0);
  EXPECT_EQ(stopping->Response()->RawHeaders.rfind("HTTP/1.1 302", 0), 0u);
  EXPECT_EQ(BodyText(*stopping->Response()), "moved");
}

TEST_F(THttpClient, UnreachableHostsFailQuicklyAndLeaveTheResponseUntouched) {
  // Nothing listens on 127.0.0.2; .invalid names never resolve.
  for (const char* host : {"127.0.0.2", "host.invalid"}) {
    auto worker = NewWorker("/empty");
    worker->Request->SetField(FieldHost, host);
    const DWORD start = GetTickCount();
    EXPECT_EQ(Run(*worker), -1) << host;
    EXPECT_LT(GetTickCount() - start, 3000u) << host;
    EXPECT_EQ(worker->Response()->RawHeaders, "") << host;
    EXPECT_EQ(BodyText(*worker->Response()), "") << host;
  }
}

TEST_F(THttpClient, NoSessionFailsAtOnce) {
  TRequest request;
  request.SetField(FieldHost, Host);
  request.SetField(FieldPath, "/empty");
  EXPECT_EQ(request.Execute(nullptr), -1);
  EXPECT_EQ(request.Headers, "");
}

TEST_F(THttpClient, SecureRequestsSpeakTlsToPort443) {
  auto worker = NewWorker("/");
  worker->Request->Secure = true;
  EXPECT_EQ(Run(*worker), -1) << "the listener on 443 closes without a handshake";
  EXPECT_EQ(Fetch("/tls-seen"), "yes");
}

TEST_F(THttpClient, AWorkerWhoseWindowIsGonePostsNothing) {
  auto worker = NewWorker("/slow");
  worker->Resume();
  DestroyWindow(window);
  worker->WaitFor();
  EXPECT_EQ(WaitForCompletion(200), std::nullopt);
  EXPECT_EQ(BodyText(*worker->Response()), "late") << "the request itself still ran";
}

TEST_F(THttpClient, AWorkerFreedWithoutResumeRunsNothing) {
  auto worker = NewWorker("/empty");
  worker.reset();
  EXPECT_EQ(WaitForCompletion(200), std::nullopt);
}

TEST_F(THttpClient, AWorkerWhoseBodyRaisesStillCompletesWithFailure) {
  class TFailingThread : public TInternetThread {
  public:
    using TInternetThread::TInternetThread;

  protected:
    void Execute() override { throw std::bad_alloc(); }
  };
  TFailingThread worker(window, Session, WM_TESTDONE);
  EXPECT_EQ(Run(worker), -1);
}

TEST_F(THttpClient, AnAnsiWindowGetsTheMessageToo) {
  HWND ansiWindow =
      CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_FALSE(IsWindowUnicode(ansiWindow));
  DestroyWindow(window);
  window = ansiWindow;
  auto worker = NewWorker("/empty");
  EXPECT_EQ(Run(*worker), 0);
}

TEST(TRequestFields, SlotsHaveTheirDefaultsAndIgnoreBadIndexes) {
  TRequest request;
  EXPECT_EQ(request.GetField(FieldMethod), "GET");
  EXPECT_EQ(request.GetField(FieldVersion), "HTTP/1.1");
  EXPECT_TRUE(request.AutoRedirect);
  EXPECT_FALSE(request.Secure);
  request.SetField(12, "x");
  request.SetField(-1, "x");
  EXPECT_EQ(request.GetField(12), "");
  EXPECT_EQ(request.GetField(-1), "");
  for (int i = 0; i < HttpFieldCount; ++i) {
    if (i != FieldMethod && i != FieldVersion) {
      EXPECT_EQ(request.GetField(i), "") << i;
    }
  }
  request.Response->SetField(12, "x");
  EXPECT_EQ(request.Response->GetField(12), "");
}

TEST(TRequestFields, AddHeaderSkipsEmptyValuesAndAppends) {
  TRequest request;
  request.AddHeader("", "Accept: %s\r\n");
  EXPECT_EQ(request.Headers, "");
  request.AddHeader("a", "X: %s\r\n");
  request.AddHeader("b", "Y: %s\r\n");
  EXPECT_EQ(request.Headers, "X: a\r\nY: b\r\n");
}
