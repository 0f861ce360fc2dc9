#include "text/WStrings.h"

#include "text/Errors.h"

#include <windows.h>

#include <algorithm>
#include <utility>

void TWStrings::Assign(const TPersistent* source) {
  const auto* strings = dynamic_cast<const TWStrings*>(source);
  if (!strings)
    AssignError(source);
  TWStringsUpdate batch(*this);
  Clear();
  AddStrings(*strings);
}

void* TWStrings::GetObject(int) const {
  return nullptr;
}

std::wstring TWStrings::GetText() const {
  const int count = GetCount();
  size_t length = 0;
  for (int i = 0; i < count; ++i)
    length += Get(i).size() + 2;
  std::wstring text;
  text.reserve(length);
  for (int i = 0; i < count; ++i) {
    text += Get(i);
    text += L"\r\n";
  }
  return text;
}

void TWStrings::Put(int index, const std::wstring& text) {
  void* object = GetObject(index);
  Delete(index);
  InsertObject(index, text, object);
}

void TWStrings::PutObject(int, void*) {}

void TWStrings::SetCapacity(int) {}

void TWStrings::SetText(const std::wstring& text) {
  TWStringsUpdate batch(*this);
  Clear();
  // An embedded zero ends the text, as it would a zero-terminated buffer.
  const wchar_t* p = text.c_str();
  while (*p != L'\0') {
    const wchar_t* start = p;
    while (*p != L'\0' && *p != L'\r' && *p != L'\n')
      ++p;
    Add(std::wstring(start, p));
    if (*p == L'\r')
      ++p;
    if (*p == L'\n')
      ++p;
  }
}

void TWStrings::SetUpdateState(bool) {}

namespace {

int CompareLocale(const std::wstring& a, const std::wstring& b, DWORD flags) {
  return CompareStringW(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

} // namespace

int TWStrings::CompareStrings(const std::wstring& a, const std::wstring& b) const {
  return CompareLocale(a, b, NORM_IGNORECASE);
}

int TWStrings::Add(const std::wstring& text) {
  const int index = GetCount();
  Insert(index, text);
  return index;
}

int TWStrings::AddObject(const std::wstring& text, void* object) {
  const int index = Add(text);
  PutObject(index, object);
  return index;
}

void TWStrings::AddStrings(const TWStrings& other) {
  TWStringsUpdate batch(*this);
  for (int i = 0; i < other.GetCount(); ++i)
    AddObject(other.Get(i), other.GetObject(i));
}

void TWStrings::Exchange(int index1, int index2) {
  TWStringsUpdate batch(*this);
  const std::wstring text = Get(index1);
  void* object = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, text);
  PutObject(index2, object);
}

int TWStrings::IndexOf(const std::wstring& text) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareStrings(Get(i), text) == 0)
      return i;
  return -1;
}

int TWStrings::IndexOfName(const std::wstring& name) const {
  for (int i = 0; i < GetCount(); ++i) {
    const std::wstring item = Get(i);
    const size_t separator = item.find(L'=');
    if (separator != std::wstring::npos && CompareStrings(item.substr(0, separator), name) == 0)
      return i;
  }
  return -1;
}

int TWStrings::IndexOfObject(const void* object) const {
  for (int i = 0; i < GetCount(); ++i)
    if (GetObject(i) == object)
      return i;
  return -1;
}

void TWStrings::LoadFromFile(const std::wstring& fileName) {
  TFileStream stream(fileName, TFileMode::OpenRead);
  uint8_t mark[2] = {};
  if (stream.Read(mark, 2) != 2 || mark[0] != 0xFF || mark[1] != 0xFE)
    stream.SetPosition(0);
  LoadFromStream(stream);
}

void TWStrings::LoadFromStream(TStream& stream) {
  const int64_t units = (stream.Size() - stream.Position()) / 2;
  std::wstring text(static_cast<size_t>(std::max<int64_t>(units, 0)), L'\0');
  const int64_t read = stream.Read(text.data(), units * 2);
  text.resize(static_cast<size_t>(read / 2));
  SetText(text);
}

void TWStrings::Move(int fromIndex, int toIndex) {
  if (fromIndex == toIndex)
    return;
  TWStringsUpdate batch(*this);
  const std::wstring text = Get(fromIndex);
  void* object = GetObject(fromIndex);
  Delete(fromIndex);
  InsertObject(toIndex, text, object);
}

// Writes next to the target and replaces it only once the whole content is on
// the disk, so a failed save (disk full, a kill) never destroys the old file.
void TWStrings::SaveToFile(const std::wstring& fileName) const {
  const std::wstring tempName = fileName + L".tmp";
  try {
    TFileStream stream(tempName, TFileMode::Create, fileName);
    const uint8_t mark[2] = {0xFF, 0xFE};
    stream.WriteBuffer(mark, 2);
    SaveToStream(stream);
    stream.Flush();
  } catch (...) {
    DeleteFileW(tempName.c_str());
    throw;
  }
  if (!MoveFileExW(tempName.c_str(), fileName.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(tempName.c_str());
    throw EFCreateError(L"Cannot create file \"" + fileName + L"\". " + SystemErrorMessage(error));
  }
}

void TWStrings::SaveToStream(TStream& stream) const {
  const std::wstring text = GetText();
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size() * sizeof(wchar_t)));
}

void TWStrings::BeginUpdate() {
  if (updateCount_ == 0)
    SetUpdateState(true);
  ++updateCount_;
}

void TWStrings::EndUpdate() {
  --updateCount_;
  if (updateCount_ == 0)
    SetUpdateState(false);
}

void TWStrings::InsertObject(int index, const std::wstring& text, void* object) {
  Insert(index, text);
  PutObject(index, object);
}

std::wstring TWStrings::GetName(int index) const {
  const std::wstring item = Get(index);
  const size_t separator = item.find(L'=');
  return separator == std::wstring::npos ? std::wstring() : item.substr(0, separator);
}

void TWStrings::SetAdapter(std::shared_ptr<IWStringsAdapter> adapter) {
  if (adapter_)
    adapter_->ReleaseStrings();
  adapter_ = std::move(adapter);
  if (adapter_)
    adapter_->ReferenceStrings(this);
}

void TWStrings::IndexError(int index) {
  throw EStringListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

TWStringList::~TWStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  SetAdapter(nullptr);
  items_.reset();
  count_ = 0;
  capacity_ = 0;
}

void TWStringList::CheckIndex(int index) const {
  if (index < 0 || index >= count_)
    IndexError(index);
}

std::wstring TWStringList::Get(int index) const {
  CheckIndex(index);
  return items_[index].String;
}

void* TWStringList::GetObject(int index) const {
  CheckIndex(index);
  return items_[index].Object;
}

void TWStringList::Put(int index, const std::wstring& text) {
  CheckIndex(index);
  Changing();
  items_[index].String = text;
  Changed();
}

void TWStringList::PutObject(int index, void* object) {
  CheckIndex(index);
  Changing();
  items_[index].Object = object;
  Changed();
}

// Shrinking below the count drops the items behind the new capacity.
void TWStringList::SetCapacity(int capacity) {
  capacity = std::max(capacity, 0);
  auto items = capacity > 0 ? std::make_unique<TItem[]>(capacity) : nullptr;
  count_ = std::min(count_, capacity);
  std::move(items_.get(), items_.get() + count_, items.get());
  items_ = std::move(items);
  capacity_ = capacity;
}

void TWStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

int TWStringList::CompareStrings(const std::wstring& a, const std::wstring& b) const {
  return CompareLocale(a, b, caseSensitive_ ? 0 : NORM_IGNORECASE);
}

int TWStringList::Add(const std::wstring& text) {
  const int index = count_;
  Insert(index, text);
  return index;
}

void TWStringList::Clear() {
  if (count_ == 0)
    return;
  Changing();
  count_ = 0;
  SetCapacity(0);
  Changed();
}

void TWStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  std::move(items_.get() + index + 1, items_.get() + count_, items_.get() + index);
  --count_;
  items_[count_] = TItem{};
  Changed();
}

void TWStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[index1], items_[index2]);
  Changed();
}

void TWStringList::Grow() {
  const int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
  SetCapacity(capacity_ + delta);
}

void TWStringList::Insert(int index, const std::wstring& text) {
  if (index < 0 || index > count_)
    IndexError(index);
  Changing();
  if (count_ == capacity_)
    Grow();
  std::move_backward(items_.get() + index, items_.get() + count_, items_.get() + count_ + 1);
  items_[index] = TItem{text, nullptr};
  ++count_;
  Changed();
}

void TWStringList::Changed() {
  if (UpdateCount() == 0 && OnChange)
    OnChange(this);
}

void TWStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging)
    OnChanging(this);
}
