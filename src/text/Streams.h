#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

enum class TSeekOrigin { Beginning = 0, Current = 1, End = 2 };

// The run time's byte stream: Read and Write move what they can and report the
// count; ReadBuffer and WriteBuffer raise on a short transfer.
class TStream {
public:
  virtual ~TStream() = default;

  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual void SetSize(int64_t newSize) = 0;

  int64_t Position() { return Seek(0, TSeekOrigin::Current); }
  void SetPosition(int64_t position) { Seek(position, TSeekOrigin::Beginning); }
  int64_t Size();

  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
};

enum class TFileMode { OpenRead, Create };

// A file opened with the wide API. Opening for reading lets others read too;
// creating replaces an existing file. Errors name nameInErrors when it is given
// (a temporary file stands in for the file the user knows).
class TFileStream : public TStream {
public:
  TFileStream(const std::wstring& fileName, TFileMode mode, const std::wstring& nameInErrors = {});
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t newSize) override;

  // Forces the written bytes to the disk, raising "Stream write error" on failure.
  void Flush();

private:
  HANDLE handle_;
};

class TMemoryStream : public TStream {
public:
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t newSize) override;

  const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
  std::vector<uint8_t> bytes_;
  int64_t position_ = 0;
};

// A read-only view of a resource of a module; writing is refused.
class TResourceStream : public TStream {
public:
  // Raises EResNotFound when the module has no such resource.
  TResourceStream(HMODULE module, const wchar_t* resourceName, const wchar_t* resourceType);

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t newSize) override;

private:
  const uint8_t* data_ = nullptr;
  int64_t size_ = 0;
  int64_t position_ = 0;
};
