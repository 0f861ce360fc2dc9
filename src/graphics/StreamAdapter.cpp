#include "graphics/StreamAdapter.h"

#include <algorithm>
#include <cstring>
#include <memory>

TStreamAdapter::TStreamAdapter(TStream* stream, TStreamOwnership ownership)
    : stream_(stream), ownership_(ownership) {}

TStreamAdapter::~TStreamAdapter() {
  if (ownership_ == TStreamOwnership::Owned)
    delete stream_;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::QueryInterface(REFIID iid, void** object) {
  if (!object)
    return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
    *object = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TStreamAdapter::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE TStreamAdapter::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0)
    delete this;
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Read(void* buffer, ULONG count, ULONG* read) {
  if (!buffer)
    return STG_E_INVALIDPOINTER;
  try {
    const auto done = static_cast<ULONG>(stream_->Read(buffer, count));
    if (read)
      *read = done;
    return S_OK;
  } catch (...) {
    return S_FALSE;
  }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Write(const void* buffer, ULONG count, ULONG* written) {
  if (!buffer)
    return STG_E_INVALIDPOINTER;
  try {
    const auto done = static_cast<ULONG>(stream_->Write(buffer, count));
    if (written)
      *written = done;
    return S_OK;
  } catch (...) {
    return STG_E_CANTSAVE;
  }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Seek(LARGE_INTEGER offset, DWORD origin,
                                               ULARGE_INTEGER* newPosition) {
  if (origin > STREAM_SEEK_END)
    return STG_E_INVALIDFUNCTION;
  try {
    const int64_t position = stream_->Seek(offset.QuadPart, static_cast<TSeekOrigin>(origin));
    if (newPosition)
      newPosition->QuadPart = static_cast<ULONGLONG>(position);
    return S_OK;
  } catch (...) {
    return STG_E_INVALIDPOINTER;
  }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::SetSize(ULARGE_INTEGER newSize) {
  try {
    const auto size = static_cast<int64_t>(newSize.QuadPart);
    stream_->SetSize(size);
    return stream_->Size() == size ? S_OK : E_FAIL;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::CopyTo(IStream* target, ULARGE_INTEGER count,
                                                 ULARGE_INTEGER* read, ULARGE_INTEGER* written) {
  constexpr ULONGLONG MaxBuffer = 1 << 20;
  ULONGLONG totalRead = 0;
  ULONGLONG totalWritten = 0;
  HRESULT result = S_OK;
  try {
    const ULONGLONG bufferSize = std::min(count.QuadPart, MaxBuffer);
    auto buffer = std::make_unique<uint8_t[]>(static_cast<size_t>(bufferSize));
    ULONGLONG remaining = count.QuadPart;
    while (remaining > 0 && result == S_OK) {
      const auto chunk = static_cast<int64_t>(std::min(remaining, bufferSize));
      const auto got = static_cast<ULONG>(stream_->Read(buffer.get(), chunk));
      if (got == 0)
        break;
      totalRead += got;
      remaining -= got;
      ULONG put = 0;
      result = target->Write(buffer.get(), got, &put);
      totalWritten += put;
      if (result == S_OK && put < got)
        result = E_FAIL;
    }
  } catch (...) {
    result = E_UNEXPECTED;
  }
  if (read)
    read->QuadPart = totalRead;
  if (written)
    written->QuadPart = totalWritten;
  return result;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Commit(DWORD) {
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Revert() {
  return STG_E_REVERTED;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
  return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) {
  return STG_E_INVALIDFUNCTION;
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Stat(STATSTG* statistics, DWORD) {
  if (!statistics)
    return S_OK;
  try {
    std::memset(statistics, 0, sizeof *statistics);
    statistics->type = STGTY_STREAM;
    statistics->cbSize.QuadPart = static_cast<ULONGLONG>(stream_->Size());
    statistics->grfLocksSupported = LOCK_WRITE;
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT STDMETHODCALLTYPE TStreamAdapter::Clone(IStream** stream) {
  if (stream)
    *stream = nullptr;
  return E_NOTIMPL;
}
