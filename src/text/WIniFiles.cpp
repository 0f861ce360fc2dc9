#include "text/WIniFiles.h"

#include "text/Errors.h"

#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <memory>

namespace {

int HexDigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9')
    return c - L'0';
  if (c >= L'a' && c <= L'f')
    return c - L'a' + 10;
  if (c >= L'A' && c <= L'F')
    return c - L'A' + 10;
  return -1;
}

} // namespace

bool TryTextToInt(const std::wstring& text, int32_t& value) {
  size_t i = 0;
  while (i < text.size() && text[i] == L' ')
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
    negative = text[i++] == L'-';

  bool hex = false;
  if (i < text.size() && (text[i] == L'$' || text[i] == L'x' || text[i] == L'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == L'0' &&
             (text[i + 1] == L'x' || text[i + 1] == L'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size())
    return false;

  const uint64_t limit = hex ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit =
        hex ? HexDigitValue(text[i]) : (text[i] >= L'0' && text[i] <= L'9' ? text[i] - L'0' : -1);
    if (digit < 0)
      return false;
    magnitude = magnitude * (hex ? 16 : 10) + digit;
    if (magnitude > limit)
      return false;
  }
  const auto bits = static_cast<uint32_t>(magnitude);
  value = static_cast<int32_t>(negative ? 0u - bits : bits);
  return true;
}

std::wstring EscapeIniLine(const std::wstring& line) {
  std::wstring text = ReplaceWideText(line, L"\\", L"\\\\", true);
  text = ReplaceWideText(text, L"\r", L"\\r", true);
  text = ReplaceWideText(text, L"\n", L"\\n", true);
  return ReplaceWideText(text, L"\t", L"\\t", true);
}

std::wstring UnescapeIniLine(const std::wstring& line) {
  std::wstring text;
  text.reserve(line.size());
  bool pending = false;
  for (wchar_t c : line) {
    if (!pending) {
      if (c == L'\\')
        pending = true;
      else
        text += c;
      continue;
    }
    pending = false;
    switch (c) {
    case L'\\':
      text += L'\\';
      break;
    case L'n':
      text += L'\n';
      break;
    case L'r':
      text += L'\r';
      break;
    case L't':
      text += L'\t';
      break;
    default:
      break;
    }
  }
  return text;
}

int32_t TWCustomIniFile::ReadInteger(const std::wstring& section, const std::wstring& key,
                                     int32_t defaultValue) const {
  std::wstring text = ReadString(section, key, L"");
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
    text.replace(0, 2, L"$");
  int32_t value = 0;
  return TryTextToInt(text, value) ? value : defaultValue;
}

void TWCustomIniFile::WriteInteger(const std::wstring& section, const std::wstring& key,
                                   int32_t value) {
  WriteString(section, key, std::to_wstring(value));
}

bool TWCustomIniFile::ReadBool(const std::wstring& section, const std::wstring& key,
                               bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TWCustomIniFile::WriteBool(const std::wstring& section, const std::wstring& key, bool value) {
  WriteString(section, key, value ? L"1" : L"0");
}

void TWCustomIniFile::WriteHex(const std::wstring& section, const std::wstring& key,
                               int32_t value) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%.8X", static_cast<unsigned>(value));
  WriteString(section, key, text);
}

// Binary values are two hexadecimal digits per byte; reading stops at the first
// pair that is not hexadecimal.
int64_t TWCustomIniFile::ReadBinaryStream(const std::wstring& section, const std::wstring& key,
                                          TStream& stream) const {
  const std::wstring text = ReadString(section, key, L"");
  std::string bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    const int high = HexDigitValue(text[i]);
    const int low = HexDigitValue(text[i + 1]);
    if (high < 0 || low < 0)
      break;
    bytes += static_cast<char>(high * 16 + low);
  }
  const int64_t start = stream.Position();
  stream.SetSize(start + static_cast<int64_t>(bytes.size()));
  stream.SetPosition(start);
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(start);
  return static_cast<int64_t>(bytes.size());
}

void TWCustomIniFile::WriteBinaryStream(const std::wstring& section, const std::wstring& key,
                                        TStream& stream) {
  static const wchar_t digits[] = L"0123456789ABCDEF";
  std::wstring text;
  uint8_t byte = 0;
  while (stream.Read(&byte, 1) == 1) {
    text += digits[byte >> 4];
    text += digits[byte & 15];
  }
  WriteString(section, key, text);
}

// Dates and times go through OLE's conversions in the user's locale, which use
// the system's short date and long time formats both ways.
TDateTime TWCustomIniFile::ReadDateValue(const std::wstring& section, const std::wstring& key,
                                         TDateTime defaultValue, unsigned long flags) const {
  std::wstring text = ReadString(section, key, L"");
  if (text.empty())
    return defaultValue;
  DATE value = 0;
  if (FAILED(VarDateFromStr(text.data(), LOCALE_USER_DEFAULT, flags, &value)))
    return defaultValue;
  return value;
}

void TWCustomIniFile::WriteDateValue(const std::wstring& section, const std::wstring& key,
                                     TDateTime value, unsigned long flags) {
  BSTR text = nullptr;
  if (FAILED(VarBstrFromDate(value, LOCALE_USER_DEFAULT, flags, &text)))
    throw EConvertError(L"Invalid date value");
  const std::wstring result(text, SysStringLen(text));
  SysFreeString(text);
  WriteString(section, key, result);
}

TDateTime TWCustomIniFile::ReadDate(const std::wstring& section, const std::wstring& key,
                                    TDateTime defaultValue) const {
  return ReadDateValue(section, key, defaultValue, VAR_DATEVALUEONLY);
}

TDateTime TWCustomIniFile::ReadDateTime(const std::wstring& section, const std::wstring& key,
                                        TDateTime defaultValue) const {
  return ReadDateValue(section, key, defaultValue, 0);
}

TDateTime TWCustomIniFile::ReadTime(const std::wstring& section, const std::wstring& key,
                                    TDateTime defaultValue) const {
  return ReadDateValue(section, key, defaultValue, VAR_TIMEVALUEONLY);
}

void TWCustomIniFile::WriteDate(const std::wstring& section, const std::wstring& key,
                                TDateTime value) {
  WriteDateValue(section, key, value, VAR_DATEVALUEONLY);
}

void TWCustomIniFile::WriteDateTime(const std::wstring& section, const std::wstring& key,
                                    TDateTime value) {
  WriteDateValue(section, key, value, 0);
}

void TWCustomIniFile::WriteTime(const std::wstring& section, const std::wstring& key,
                                TDateTime value) {
  WriteDateValue(section, key, value, VAR_TIMEVALUEONLY);
}

// Floats always use "." whatever the user's locale says.
double TWCustomIniFile::ReadFloat(const std::wstring& section, const std::wstring& key,
                                  double defaultValue) const {
  const std::wstring text = ReadString(section, key, L"");
  if (text.empty() || text.find_first_not_of(L" +-.0123456789eE") != std::wstring::npos)
    return defaultValue;
  wchar_t* end = nullptr;
  const double value = std::wcstod(text.c_str(), &end);
  while (*end == L' ')
    ++end;
  if (end == text.c_str() || *end != L'\0' || !std::isfinite(value))
    return defaultValue;
  return value;
}

void TWCustomIniFile::WriteFloat(const std::wstring& section, const std::wstring& key,
                                 double value) {
  wchar_t text[64];
  std::swprintf(text, 64, L"%.15g", value);
  WriteString(section, key, text);
}

TWMemIniFile::TWMemIniFile(const std::wstring& fileName) : TWCustomIniFile(fileName) {
  LoadValues();
}

TWMemIniFile::~TWMemIniFile() {
  Clear();
}

namespace {

TWHashedStringList* LinesOf(const TWStrings& sections, int index) {
  return static_cast<TWHashedStringList*>(sections.GetObject(index));
}

} // namespace

TWHashedStringList* TWMemIniFile::AddSection(const std::wstring& name) {
  auto lines = std::make_unique<TWHashedStringList>();
  lines->SetCaseSensitive(sections_.CaseSensitive());
  sections_.AddObject(name, lines.get());
  return lines.release();
}

TWHashedStringList* TWMemIniFile::FindSection(const std::wstring& name) const {
  const int index = sections_.IndexOf(name);
  return index < 0 ? nullptr : LinesOf(sections_, index);
}

void TWMemIniFile::Clear() {
  for (int i = 0; i < sections_.GetCount(); ++i)
    delete LinesOf(sections_, i);
  sections_.Clear();
}

void TWMemIniFile::GetStrings(TWStrings& list) const {
  for (int i = 0; i < sections_.GetCount(); ++i) {
    list.Add(L"[" + sections_.Get(i) + L"]");
    const TWHashedStringList* lines = LinesOf(sections_, i);
    for (int j = 0; j < lines->GetCount(); ++j)
      list.Add(EscapeIniLine(lines->Get(j)));
    list.Add(L"");
  }
}

void TWMemIniFile::SetStrings(const TWStrings& list) {
  Clear();
  TWHashedStringList* current = nullptr;
  for (int i = 0; i < list.GetCount(); ++i) {
    const std::wstring line = TrimWide(list.Get(i));
    if (line.empty() || line.front() == L';')
      continue;
    if (line.front() == L'[' && line.back() == L']') {
      current = AddSection(TrimWide(line.substr(1, line.size() - 2)));
      continue;
    }
    if (!current)
      continue;
    const size_t separator = line.find(L'=');
    if (separator == std::wstring::npos) {
      current->Add(UnescapeIniLine(line));
      continue;
    }
    const std::wstring key = TrimWide(line.substr(0, separator));
    const std::wstring value = TrimWide(line.substr(separator + 1));
    current->Add(UnescapeIniLine(key + L"=" + value));
  }
}

void TWMemIniFile::LoadValues() {
  if (FileName().empty() || GetFileAttributesW(FileName().c_str()) == INVALID_FILE_ATTRIBUTES) {
    Clear();
    return;
  }
  TWStringList list;
  list.LoadFromFile(FileName());
  SetStrings(list);
}

std::wstring TWMemIniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& defaultValue) const {
  const TWHashedStringList* lines = FindSection(section);
  if (!lines)
    return defaultValue;
  const int index = lines->IndexOfName(key);
  if (index < 0)
    return defaultValue;
  return lines->Get(index).substr(key.size() + 1);
}

void TWMemIniFile::WriteString(const std::wstring& section, const std::wstring& key,
                               const std::wstring& value) {
  TWHashedStringList* lines = FindSection(section);
  if (!lines)
    lines = AddSection(section);
  const std::wstring line = key + L"=" + value;
  const int index = lines->IndexOfName(key);
  if (index >= 0)
    lines->Put(index, line);
  else
    lines->Add(line);
}

void TWMemIniFile::ReadSection(const std::wstring& section, TWStrings& strings) const {
  TWStringsUpdate batch(strings);
  strings.Clear();
  const TWHashedStringList* lines = FindSection(section);
  if (!lines)
    return;
  for (int i = 0; i < lines->GetCount(); ++i)
    strings.Add(lines->GetName(i));
}

void TWMemIniFile::ReadSections(TWStrings& strings) const {
  strings.Assign(&sections_);
}

void TWMemIniFile::ReadSectionValues(const std::wstring& section, TWStrings& strings) const {
  TWStringsUpdate batch(strings);
  strings.Clear();
  if (const TWHashedStringList* lines = FindSection(section))
    strings.Assign(lines);
}

void TWMemIniFile::EraseSection(const std::wstring& section) {
  const int index = sections_.IndexOf(section);
  if (index < 0)
    return;
  delete LinesOf(sections_, index);
  sections_.Delete(index);
}

void TWMemIniFile::DeleteKey(const std::wstring& section, const std::wstring& key) {
  TWHashedStringList* lines = FindSection(section);
  if (!lines)
    return;
  const int index = lines->IndexOfName(key);
  if (index >= 0)
    lines->Delete(index);
}

void TWMemIniFile::UpdateFile() {
  TWStringList list;
  {
    TWStringsUpdate batch(list);
    GetStrings(list);
  }
  list.SaveToFile(FileName());
}
