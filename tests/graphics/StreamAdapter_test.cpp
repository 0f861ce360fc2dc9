#include "graphics/StreamAdapter.h"

#include "text/Errors.h"

#include <gtest/gtest.h>

#include <cstring>

#include <vector>

namespace {

// A stream that counts its reads, to see how CopyTo slices its work.
class TCountingStream : public TMemoryStream {
public:
  int64_t Read(void* buffer, int64_t count) override {
    ++reads;
    largestRead = std::max(largestRead, count);
    return TMemoryStream::Read(buffer, count);
  }
  int reads = 0;
  int64_t largestRead = 0;
};

class TDestroyedFlag : public TMemoryStream {
public:
  explicit TDestroyedFlag(bool& destroyed) : destroyed_(destroyed) {}
  ~TDestroyedFlag() override { destroyed_ = true; }

private:
  bool& destroyed_;
};

// Holds the adapter through its IStream, as COM callers do.
struct TAdapterRef {
  explicit TAdapterRef(TStream* stream, TStreamOwnership ownership = TStreamOwnership::Reference)
      : stream(new TStreamAdapter(stream, ownership)) {
    this->stream->AddRef();
  }
  ~TAdapterRef() { stream->Release(); }
  IStream* operator->() const { return stream; }
  IStream* stream;
};

LARGE_INTEGER Offset(LONGLONG value) {
  LARGE_INTEGER offset;
  offset.QuadPart = value;
  return offset;
}

} // namespace

TEST(StreamAdapter, ReadReportsWhatItGotAndRejectsANullBuffer) {
  TMemoryStream memory;
  memory.Write("abcdef", 6);
  memory.SetPosition(2);
  TAdapterRef adapter(&memory);

  ULONG read = 99;
  EXPECT_EQ(adapter->Read(nullptr, 4, &read), STG_E_INVALIDPOINTER);
  EXPECT_EQ(read, 99u);
  EXPECT_EQ(memory.Position(), 2);

  char buffer[8] = {};
  EXPECT_EQ(adapter->Read(buffer, 8, &read), S_OK);
  EXPECT_EQ(read, 4u);
  EXPECT_EQ(std::string(buffer, 4), "cdef");
  EXPECT_EQ(adapter->Read(buffer, 8, &read), S_OK) << "at the end";
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(adapter->Read(buffer, 1, nullptr), S_OK);
}

TEST(StreamAdapter, WriteGoesToTheStream) {
  TMemoryStream memory;
  TAdapterRef adapter(&memory);
  ULONG written = 0;
  EXPECT_EQ(adapter->Write(nullptr, 1, &written), STG_E_INVALIDPOINTER);
  EXPECT_EQ(adapter->Write("xyz", 3, &written), S_OK);
  EXPECT_EQ(written, 3u);
  EXPECT_EQ(memory.Bytes(), (std::vector<uint8_t>{'x', 'y', 'z'}));
}

TEST(StreamAdapter, AStreamThatRaisesOnWriteCannotSave) {
  class TReadOnly : public TMemoryStream {
  public:
    int64_t Write(const void*, int64_t) override { throw EWriteError(L"Stream write error"); }
  } readOnly;
  TAdapterRef adapter(&readOnly);
  ULONG written = 5;
  EXPECT_EQ(adapter->Write("a", 1, &written), STG_E_CANTSAVE);
}

TEST(StreamAdapter, SeekTakesTheThreeOriginsOnly) {
  TMemoryStream memory;
  memory.Write("0123456789", 10);
  TAdapterRef adapter(&memory);
  ULARGE_INTEGER position{};
  EXPECT_EQ(adapter->Seek(Offset(0), 3, &position), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(adapter->Seek(Offset(0), STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 10u);
  EXPECT_EQ(adapter->Seek(Offset(3), STREAM_SEEK_SET, &position), S_OK);
  EXPECT_EQ(adapter->Seek(Offset(2), STREAM_SEEK_CUR, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 5u);
  EXPECT_EQ(adapter->Seek(Offset(1), STREAM_SEEK_CUR, nullptr), S_OK);
  EXPECT_EQ(memory.Position(), 6);
}

TEST(StreamAdapter, SetSizeStatCloneAndTheFixedAnswers) {
  TMemoryStream memory;
  memory.Write("abc", 3);
  TAdapterRef adapter(&memory);
  ULARGE_INTEGER size;
  size.QuadPart = 7;
  EXPECT_EQ(adapter->SetSize(size), S_OK);
  EXPECT_EQ(memory.Size(), 7);

  STATSTG statistics;
  std::memset(&statistics, 0xAB, sizeof statistics);
  EXPECT_EQ(adapter->Stat(&statistics, STATFLAG_DEFAULT), S_OK);
  EXPECT_EQ(statistics.type, static_cast<DWORD>(STGTY_STREAM));
  EXPECT_EQ(statistics.cbSize.QuadPart, 7u);
  EXPECT_EQ(statistics.grfLocksSupported, static_cast<DWORD>(LOCK_WRITE));
  EXPECT_EQ(statistics.pwcsName, nullptr);
  EXPECT_EQ(statistics.grfMode, 0u);
  EXPECT_EQ(adapter->Stat(nullptr, 0), S_OK);

  IStream* clone = reinterpret_cast<IStream*>(1);
  EXPECT_EQ(adapter->Clone(&clone), E_NOTIMPL);
  EXPECT_EQ(clone, nullptr);
  EXPECT_EQ(adapter->Commit(0), S_OK);
  EXPECT_EQ(adapter->Revert(), STG_E_REVERTED);
  ULARGE_INTEGER zero{};
  EXPECT_EQ(adapter->LockRegion(zero, zero, LOCK_WRITE), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(adapter->UnlockRegion(zero, zero, LOCK_WRITE), STG_E_INVALIDFUNCTION);
}

TEST(StreamAdapter, CopyToMovesThreeMegabytesInMegabyteReads) {
  TCountingStream source;
  std::vector<uint8_t> bytes(3 << 20);
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<uint8_t>(i * 7);
  source.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  source.SetPosition(0);
  source.reads = 0;
  TMemoryStream target;
  TAdapterRef from(&source);
  TAdapterRef to(&target);

  ULARGE_INTEGER count, read, written;
  count.QuadPart = bytes.size();
  EXPECT_EQ(from->CopyTo(to.stream, count, &read, &written), S_OK);
  EXPECT_EQ(read.QuadPart, bytes.size());
  EXPECT_EQ(written.QuadPart, bytes.size());
  EXPECT_EQ(source.reads, 3);
  EXPECT_EQ(source.largestRead, 1 << 20);
  EXPECT_EQ(target.Bytes(), bytes);
}

TEST(StreamAdapter, CopyToStopsAtTheEndOfTheSource) {
  TMemoryStream source;
  source.Write("12345", 5);
  source.SetPosition(0);
  TMemoryStream target;
  TAdapterRef from(&source);
  TAdapterRef to(&target);
  ULARGE_INTEGER count, read, written;
  count.QuadPart = 100;
  EXPECT_EQ(from->CopyTo(to.stream, count, &read, &written), S_OK);
  EXPECT_EQ(read.QuadPart, 5u);
  EXPECT_EQ(written.QuadPart, 5u);
}

TEST(StreamAdapter, OwnershipDecidesWhetherTheLastReleaseFreesTheStream) {
  bool destroyed = false;
  auto* owned = new TDestroyedFlag(destroyed);
  { TAdapterRef adapter(owned, TStreamOwnership::Owned); }
  EXPECT_TRUE(destroyed);

  bool referenceDestroyed = false;
  TDestroyedFlag referenced(referenceDestroyed);
  { TAdapterRef adapter(&referenced, TStreamOwnership::Reference); }
  EXPECT_FALSE(referenceDestroyed);
  EXPECT_EQ(referenced.Write("ok", 2), 2) << "still usable";
}
