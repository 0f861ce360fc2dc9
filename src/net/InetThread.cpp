#include "net/InetThread.h"

TInetThread::TInetThread(HWND window, HINTERNET session, UINT message)
    : Request(std::make_unique<TRequest>()), Session(session), Window(window), Message(message) {
  thread_ = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, nullptr);
}

TInetThread::~TInetThread() {
  if (!thread_)
    return;
  if (!resumed_) {
    abandoned_ = true;
    ResumeThread(thread_);
  }
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
}

void TInetThread::Resume() {
  if (!thread_ || resumed_)
    return;
  resumed_ = true;
  ResumeThread(thread_);
}

void TInetThread::WaitFor() {
  if (thread_ && resumed_)
    WaitForSingleObject(thread_, INFINITE);
}

void TInetThread::Execute() {
  PostCompletion(Request->Execute(Session));
}

// Posted, never sent: the worker does not wait for the window.
void TInetThread::PostCompletion(int32_t result) {
  if (!IsWindow(Window))
    return;
  const auto lParam = static_cast<LPARAM>(result);
  if (IsWindowUnicode(Window))
    PostMessageW(Window, Message, 0, lParam);
  else
    PostMessageA(Window, Message, 0, lParam);
}

// An error escaping the body (out of memory, say) still completes with -1, so
// the window never waits for a message that would not come.
DWORD WINAPI TInetThread::ThreadProc(void* parameter) {
  auto* self = static_cast<TInetThread*>(parameter);
  if (self->abandoned_)
    return 0;
  try {
    self->Execute();
  } catch (...) {
    self->PostCompletion(-1);
  }
  return 0;
}
