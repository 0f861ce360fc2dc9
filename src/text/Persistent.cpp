#include "text/Persistent.h"

#include "text/Errors.h"

void TPersistent::Assign(const TPersistent* source) {
  AssignError(source);
}

void TPersistent::AssignError(const TPersistent* source) const {
  const std::wstring sourceName = source ? source->ClassName() : L"nil";
  throw EConvertError(L"Cannot assign a " + sourceName + L" to a " + ClassName());
}
