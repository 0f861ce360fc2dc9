#pragma once

#include "text/Streams.h"

#include <windows.h>
#include <objidl.h>

enum class TStreamOwnership { Reference = 0, Owned = 1 };

// One of the program's streams as a COM IStream, so GDI+ can decode from it.
// Reference-counted from 0: the first reference taken makes it live, the last
// release destroys it (and an owned stream with it). No error escapes to COM.
class TStreamAdapter : public IStream {
public:
  TStreamAdapter(TStream* stream, TStreamOwnership ownership);
  virtual ~TStreamAdapter();
  TStreamAdapter(const TStreamAdapter&) = delete;
  TStreamAdapter& operator=(const TStreamAdapter&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override;
  HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* written) override;
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER offset, DWORD origin,
                                 ULARGE_INTEGER* newPosition) override;
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER newSize) override;
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                                   ULARGE_INTEGER* written) override;
  HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Revert() override;
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                       DWORD lockType) override;
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count,
                                         DWORD lockType) override;
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* statistics, DWORD flags) override;
  HRESULT STDMETHODCALLTYPE Clone(IStream** stream) override;

private:
  LONG references_ = 0;
  TStream* stream_;
  TStreamOwnership ownership_;
};
