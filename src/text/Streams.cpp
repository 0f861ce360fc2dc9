#include "text/Streams.h"

#include "text/Errors.h"

#include <algorithm>
#include <cstring>

int64_t TStream::Size() {
  const int64_t position = Position();
  const int64_t size = Seek(0, TSeekOrigin::End);
  SetPosition(position);
  return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count)
    throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count)
    throw EWriteError(L"Stream write error");
}

TFileStream::TFileStream(const std::wstring& fileName, TFileMode mode,
                         const std::wstring& nameInErrors) {
  const std::wstring& reportedName = nameInErrors.empty() ? fileName : nameInErrors;
  if (mode == TFileMode::OpenRead) {
    handle_ = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      throw EFOpenError(L"Cannot open file \"" + reportedName + L"\". " +
                        SystemErrorMessage(error));
    }
    return;
  }
  handle_ = CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    throw EFCreateError(L"Cannot create file \"" + reportedName + L"\". " +
                        SystemErrorMessage(error));
  }
}

TFileStream::~TFileStream() {
  CloseHandle(handle_);
}

// ReadFile and WriteFile take 32-bit counts; larger requests go in slices.
constexpr int64_t MaxSlice = 1 << 30;

int64_t TFileStream::Read(void* buffer, int64_t count) {
  int64_t total = 0;
  auto* bytes = static_cast<uint8_t*>(buffer);
  while (total < count) {
    DWORD done = 0;
    const auto slice = static_cast<DWORD>(std::min(count - total, MaxSlice));
    if (!ReadFile(handle_, bytes + total, slice, &done, nullptr) || done == 0)
      break;
    total += done;
  }
  return total;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  int64_t total = 0;
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  while (total < count) {
    DWORD done = 0;
    const auto slice = static_cast<DWORD>(std::min(count - total, MaxSlice));
    if (!WriteFile(handle_, bytes + total, slice, &done, nullptr) || done == 0)
      break;
    total += done;
  }
  return total;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  LARGE_INTEGER distance{};
  distance.QuadPart = offset;
  LARGE_INTEGER position{};
  if (!SetFilePointerEx(handle_, distance, &position, static_cast<DWORD>(origin)))
    return -1;
  return position.QuadPart;
}

void TFileStream::SetSize(int64_t newSize) {
  SetPosition(newSize);
  SetEndOfFile(handle_);
}

void TFileStream::Flush() {
  if (!FlushFileBuffers(handle_))
    throw EWriteError(L"Stream write error");
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  const int64_t available = static_cast<int64_t>(bytes_.size()) - position_;
  const int64_t done = std::clamp<int64_t>(count, 0, std::max<int64_t>(available, 0));
  if (done > 0)
    std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(done));
  position_ += done;
  return done;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0)
    return 0;
  const int64_t end = position_ + count;
  if (end > static_cast<int64_t>(bytes_.size()))
    bytes_.resize(static_cast<size_t>(end));
  std::memcpy(bytes_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
  case TSeekOrigin::Beginning:
    position_ = offset;
    break;
  case TSeekOrigin::Current:
    position_ += offset;
    break;
  case TSeekOrigin::End:
    position_ = static_cast<int64_t>(bytes_.size()) + offset;
    break;
  }
  position_ = std::max<int64_t>(position_, 0);
  return position_;
}

void TMemoryStream::SetSize(int64_t newSize) {
  bytes_.resize(static_cast<size_t>(std::max<int64_t>(newSize, 0)));
  position_ = std::min(position_, static_cast<int64_t>(bytes_.size()));
}

namespace {

std::wstring ResourceNameText(const wchar_t* name) {
  return IS_INTRESOURCE(name) ? std::to_wstring(reinterpret_cast<uintptr_t>(name)) : name;
}

} // namespace

TResourceStream::TResourceStream(HMODULE module, const wchar_t* resourceName,
                                 const wchar_t* resourceType) {
  HRSRC resource = FindResourceW(module, resourceName, resourceType);
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  if (!loaded)
    throw EResNotFound(L"Resource " + ResourceNameText(resourceName) + L" not found");
  data_ = static_cast<const uint8_t*>(LockResource(loaded));
  size_ = SizeofResource(module, resource);
}

int64_t TResourceStream::Read(void* buffer, int64_t count) {
  const int64_t done = std::clamp<int64_t>(count, 0, std::max<int64_t>(size_ - position_, 0));
  if (done > 0)
    std::memcpy(buffer, data_ + position_, static_cast<size_t>(done));
  position_ += done;
  return done;
}

int64_t TResourceStream::Write(const void*, int64_t) {
  throw EStreamError(L"Can't write to a read-only resource stream");
}

int64_t TResourceStream::Seek(int64_t offset, TSeekOrigin origin) {
  const int64_t base = origin == TSeekOrigin::Beginning ? 0
                       : origin == TSeekOrigin::Current ? position_
                                                        : size_;
  position_ = std::max<int64_t>(base + offset, 0);
  return position_;
}

void TResourceStream::SetSize(int64_t) {
  throw EStreamError(L"Can't write to a read-only resource stream");
}
