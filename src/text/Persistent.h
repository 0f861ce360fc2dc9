#pragma once

#include <string>

// The run time's persistent-object base: objects that can copy their state from
// another one. Assign from an unsuitable source raises EConvertError.
class TPersistent {
public:
  virtual ~TPersistent() = default;

  virtual std::wstring ClassName() const = 0;
  virtual void Assign(const TPersistent* source);

protected:
  [[noreturn]] void AssignError(const TPersistent* source) const;
};
