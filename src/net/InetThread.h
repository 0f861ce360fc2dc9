#pragma once

#include "net/HttpClient.h"

#include <windows.h>

#include <memory>

// A worker that runs its request once and posts Message(0, result) to Window.
// Created suspended; the caller resumes it, waits for the message, then frees
// it. Freeing waits for the thread to end.
class TInetThread {
public:
  TInetThread(HWND window, HINTERNET session, UINT message);
  virtual ~TInetThread();
  TInetThread(const TInetThread&) = delete;
  TInetThread& operator=(const TInetThread&) = delete;

  void Resume();
  void WaitFor();
  TResponse* Response() const { return Request->Response.get(); }

  std::unique_ptr<TRequest> Request;
  const HINTERNET Session;
  const HWND Window;
  const UINT Message;

protected:
  // The thread body: executes the request and posts the completion message.
  virtual void Execute();
  void PostCompletion(int32_t result);

private:
  static DWORD WINAPI ThreadProc(void* parameter);

  HANDLE thread_ = nullptr;
  bool resumed_ = false;
  // Set when the object is freed without ever being resumed.
  bool abandoned_ = false;
};

class TInternetThread : public TInetThread {
public:
  using TInetThread::TInetThread;
};
