#include "text/HashedStringList.h"

#include <windows.h>

TWStringHash::TWStringHash(size_t bucketCount) : buckets_(bucketCount, nullptr) {}

TWStringHash::~TWStringHash() {
  Clear();
}

uint32_t TWStringHash::HashOf(const std::wstring& key) const {
  uint32_t hash = 0;
  for (wchar_t unit : key)
    hash = ((hash << 2) | (hash >> 30)) ^ static_cast<uint16_t>(unit);
  return hash;
}

void TWStringHash::Add(const std::wstring& key, int32_t value) {
  THashItemW*& head = buckets_[HashOf(key) % buckets_.size()];
  head = new THashItemW{head, key, value};
}

void TWStringHash::Clear() {
  for (THashItemW*& head : buckets_) {
    while (head) {
      THashItemW* next = head->Next;
      delete head;
      head = next;
    }
  }
}

THashItemW** TWStringHash::Find(const std::wstring& key) {
  THashItemW** link = &buckets_[HashOf(key) % buckets_.size()];
  while (*link && (*link)->Key != key)
    link = &(*link)->Next;
  return link;
}

int32_t TWStringHash::ValueOf(const std::wstring& key) {
  THashItemW* item = *Find(key);
  return item ? item->Value : -1;
}

std::wstring UpperCaseWide(std::wstring text) {
  if (!text.empty())
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring TWHashedStringList::LookupKey(const std::wstring& text) const {
  return CaseSensitive() ? text : UpperCaseWide(text);
}

namespace {

void ResetHash(std::unique_ptr<TWStringHash>& hash, size_t bucketCount) {
  if (hash)
    hash->Clear();
  else
    hash = std::make_unique<TWStringHash>(bucketCount);
}

} // namespace

void TWHashedStringList::UpdateValueHash() const {
  if (valueHashValid_ && valueHashCaseSensitive_ == CaseSensitive())
    return;
  valueHashCaseSensitive_ = CaseSensitive();
  ResetHash(valueHash_, BucketCount);
  for (int i = 0; i < GetCount(); ++i)
    valueHash_->Add(LookupKey(Get(i)), i);
  valueHashValid_ = true;
}

void TWHashedStringList::UpdateNameHash() const {
  if (nameHashValid_ && nameHashCaseSensitive_ == CaseSensitive())
    return;
  nameHashCaseSensitive_ = CaseSensitive();
  ResetHash(nameHash_, BucketCount);
  for (int i = 0; i < GetCount(); ++i) {
    const std::wstring item = Get(i);
    const size_t separator = FindWideSubstring(L"=", item);
    if (separator != 0)
      nameHash_->Add(LookupKey(item.substr(0, separator - 1)), i);
  }
  nameHashValid_ = true;
}

int TWHashedStringList::IndexOf(const std::wstring& text) const {
  UpdateValueHash();
  return valueHash_->ValueOf(LookupKey(text));
}

int TWHashedStringList::IndexOfName(const std::wstring& name) const {
  UpdateNameHash();
  return nameHash_->ValueOf(LookupKey(name));
}

void TWHashedStringList::Changed() {
  TWStringList::Changed();
  valueHashValid_ = false;
  nameHashValid_ = false;
}
