#pragma once

#include "text/Persistent.h"
#include "text/Streams.h"
#include "text/WideText.h"

#include <functional>
#include <memory>
#include <string>

class TWStrings;

// An optional observer of a list; nothing in the program installs one.
class IWStringsAdapter {
public:
  virtual ~IWStringsAdapter() = default;
  virtual void ReferenceStrings(TWStrings* strings) = 0;
  virtual void ReleaseStrings() = 0;
};

using TWStringsEvent = std::function<void(TWStrings* sender)>;

// An ordered list of wide strings, each with an object reference the list never
// frees. Indexes are 0-based; -1 means "not found".
class TWStrings : public TPersistent {
public:
  std::wstring ClassName() const override { return L"TWStrings"; }
  void Assign(const TPersistent* source) override;

  virtual std::wstring Get(int index) const = 0;
  virtual int GetCapacity() const { return GetCount(); }
  virtual int GetCount() const = 0;
  virtual void* GetObject(int index) const;
  virtual std::wstring GetText() const;
  virtual void Put(int index, const std::wstring& text);
  virtual void PutObject(int index, void* object);
  virtual void SetCapacity(int capacity);
  virtual void SetText(const std::wstring& text);
  virtual void SetUpdateState(bool updating);
  virtual int CompareStrings(const std::wstring& a, const std::wstring& b) const;
  virtual int Add(const std::wstring& text);
  virtual int AddObject(const std::wstring& text, void* object);
  virtual void AddStrings(const TWStrings& other);
  virtual void Clear() = 0;
  virtual void Delete(int index) = 0;
  virtual void Exchange(int index1, int index2);
  virtual int IndexOf(const std::wstring& text) const;
  virtual int IndexOfName(const std::wstring& name) const;
  virtual int IndexOfObject(const void* object) const;
  virtual void Insert(int index, const std::wstring& text) = 0;
  virtual void LoadFromFile(const std::wstring& fileName);
  virtual void LoadFromStream(TStream& stream);
  virtual void Move(int fromIndex, int toIndex);
  virtual void SaveToFile(const std::wstring& fileName) const;
  virtual void SaveToStream(TStream& stream) const;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }
  void InsertObject(int index, const std::wstring& text, void* object);
  std::wstring GetName(int index) const;
  void SetAdapter(std::shared_ptr<IWStringsAdapter> adapter);

protected:
  [[noreturn]] static void IndexError(int index);

private:
  int updateCount_ = 0;
  std::shared_ptr<IWStringsAdapter> adapter_;
};

// Opens a batch for the lifetime of the guard, so a batch closes also when an
// error leaves it early.
class TWStringsUpdate {
public:
  explicit TWStringsUpdate(TWStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
  ~TWStringsUpdate() { strings_.EndUpdate(); }
  TWStringsUpdate(const TWStringsUpdate&) = delete;
  TWStringsUpdate& operator=(const TWStringsUpdate&) = delete;

private:
  TWStrings& strings_;
};

// The array-backed list. Every mutation calls Changing before and Changed after
// it; their callbacks fire only outside a batch.
class TWStringList : public TWStrings {
public:
  TWStringList() = default;
  ~TWStringList() override;
  TWStringList(const TWStringList&) = delete;
  TWStringList& operator=(const TWStringList&) = delete;

  std::wstring ClassName() const override { return L"TWStringList"; }

  std::wstring Get(int index) const override;
  int GetCapacity() const override { return capacity_; }
  int GetCount() const override { return count_; }
  void* GetObject(int index) const override;
  void Put(int index, const std::wstring& text) override;
  void PutObject(int index, void* object) override;
  void SetCapacity(int capacity) override;
  void SetUpdateState(bool updating) override;
  int CompareStrings(const std::wstring& a, const std::wstring& b) const override;
  int Add(const std::wstring& text) override;
  void Clear() override;
  void Delete(int index) override;
  void Exchange(int index1, int index2) override;
  void Insert(int index, const std::wstring& text) override;

  virtual void Changed();
  virtual void Changing();

  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive) { caseSensitive_ = caseSensitive; }

  TWStringsEvent OnChange;
  TWStringsEvent OnChanging;

private:
  struct TItem {
    std::wstring String;
    void* Object = nullptr;
  };

  void CheckIndex(int index) const;
  void Grow();

  std::unique_ptr<TItem[]> items_;
  int count_ = 0;
  int capacity_ = 0;
  bool caseSensitive_ = false;
};
