#pragma once

#include "text/WStrings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct THashItemW {
  THashItemW* Next;
  std::wstring Key;
  int32_t Value;
};

// A fixed-size chained hash table from exact wide keys to integers. A new entry
// goes to the head of its chain, so among equal keys the last added is found.
class TWStringHash {
public:
  explicit TWStringHash(size_t bucketCount);
  virtual ~TWStringHash();
  TWStringHash(const TWStringHash&) = delete;
  TWStringHash& operator=(const TWStringHash&) = delete;

  virtual uint32_t HashOf(const std::wstring& key) const;

  void Add(const std::wstring& key, int32_t value);
  void Clear();
  THashItemW** Find(const std::wstring& key);
  int32_t ValueOf(const std::wstring& key);

private:
  std::vector<THashItemW*> buckets_;
};

// A string list that answers IndexOf and IndexOfName from hash tables rebuilt
// after any change. Among equal keys it returns the highest index.
class TWHashedStringList : public TWStringList {
public:
  std::wstring ClassName() const override { return L"TWHashedStringList"; }

  int IndexOf(const std::wstring& text) const override;
  int IndexOfName(const std::wstring& name) const override;
  void Changed() override;

private:
  std::wstring LookupKey(const std::wstring& text) const;
  void UpdateValueHash() const;
  void UpdateNameHash() const;

  static constexpr size_t BucketCount = 256;

  // Lookups are logically const; the tables are a cache of the items.
  mutable std::unique_ptr<TWStringHash> valueHash_;
  mutable std::unique_ptr<TWStringHash> nameHash_;
  mutable bool valueHashValid_ = false;
  mutable bool nameHashValid_ = false;
  // A table built under the other case rule holds the wrong keys.
  mutable bool valueHashCaseSensitive_ = false;
  mutable bool nameHashCaseSensitive_ = false;
};

// The platform's upper-casing of every unit; the length never changes.
std::wstring UpperCaseWide(std::wstring text);
