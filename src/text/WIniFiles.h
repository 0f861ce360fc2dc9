#pragma once

#include "text/HashedStringList.h"
#include "text/WStrings.h"

#include <cstdint>
#include <string>

// Days since 1899-12-30, the fraction being the time of day (OLE's DATE).
using TDateTime = double;

// An INI-style store of wide sections, keys and values. Typed reads never fail:
// text that does not convert gives the default.
class TWCustomIniFile {
public:
  explicit TWCustomIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {}
  virtual ~TWCustomIniFile() = default;
  TWCustomIniFile(const TWCustomIniFile&) = delete;
  TWCustomIniFile& operator=(const TWCustomIniFile&) = delete;

  const std::wstring& FileName() const { return fileName_; }

  virtual std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& defaultValue) const = 0;
  virtual void WriteString(const std::wstring& section, const std::wstring& key,
                           const std::wstring& value) = 0;
  virtual int32_t ReadInteger(const std::wstring& section, const std::wstring& key,
                              int32_t defaultValue) const;
  virtual void WriteInteger(const std::wstring& section, const std::wstring& key, int32_t value);
  virtual bool ReadBool(const std::wstring& section, const std::wstring& key,
                        bool defaultValue) const;
  virtual void WriteBool(const std::wstring& section, const std::wstring& key, bool value);
  virtual void WriteHex(const std::wstring& section, const std::wstring& key, int32_t value);
  virtual int64_t ReadBinaryStream(const std::wstring& section, const std::wstring& key,
                                   TStream& stream) const;
  virtual TDateTime ReadDate(const std::wstring& section, const std::wstring& key,
                             TDateTime defaultValue) const;
  virtual TDateTime ReadDateTime(const std::wstring& section, const std::wstring& key,
                                 TDateTime defaultValue) const;
  virtual double ReadFloat(const std::wstring& section, const std::wstring& key,
                           double defaultValue) const;
  virtual TDateTime ReadTime(const std::wstring& section, const std::wstring& key,
                             TDateTime defaultValue) const;
  virtual void WriteBinaryStream(const std::wstring& section, const std::wstring& key,
                                 TStream& stream);
  virtual void WriteDate(const std::wstring& section, const std::wstring& key, TDateTime value);
  virtual void WriteDateTime(const std::wstring& section, const std::wstring& key, TDateTime value);
  virtual void WriteFloat(const std::wstring& section, const std::wstring& key, double value);
  virtual void WriteTime(const std::wstring& section, const std::wstring& key, TDateTime value);
  virtual void ReadSection(const std::wstring& section, TWStrings& strings) const = 0;
  virtual void ReadSections(TWStrings& strings) const = 0;
  virtual void ReadSectionValues(const std::wstring& section, TWStrings& strings) const = 0;
  virtual void EraseSection(const std::wstring& section) = 0;
  virtual void DeleteKey(const std::wstring& section, const std::wstring& key) = 0;
  virtual void UpdateFile() = 0;

private:
  TDateTime ReadDateValue(const std::wstring& section, const std::wstring& key,
                          TDateTime defaultValue, unsigned long flags) const;
  void WriteDateValue(const std::wstring& section, const std::wstring& key, TDateTime value,
                      unsigned long flags);

  const std::wstring fileName_;
};

// The whole file held in memory: read once at construction, written back only
// by UpdateFile. Sections and keys match without regard to case; among equal
// names the later one is read and written.
class TWMemIniFile : public TWCustomIniFile {
public:
  explicit TWMemIniFile(const std::wstring& fileName);
  ~TWMemIniFile() override;

  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& defaultValue) const override;
  void WriteString(const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override;
  void ReadSection(const std::wstring& section, TWStrings& strings) const override;
  void ReadSections(TWStrings& strings) const override;
  void ReadSectionValues(const std::wstring& section, TWStrings& strings) const override;
  void EraseSection(const std::wstring& section) override;
  void DeleteKey(const std::wstring& section, const std::wstring& key) override;
  void UpdateFile() override;

  virtual void LoadValues();

private:
  TWHashedStringList* AddSection(const std::wstring& name);
  TWHashedStringList* FindSection(const std::wstring& name) const;
  void Clear();
  void GetStrings(TWStrings& list) const;
  void SetStrings(const TWStrings& list);

  // Each item's object is that section's line list, owned by this object.
  TWHashedStringList sections_;
};

// Try-conversion of a signed 32-bit integer: decimal, or hexadecimal after
// "$", "x" or "0x"; hexadecimal wraps at 32 bits.
bool TryTextToInt(const std::wstring& text, int32_t& value);

std::wstring EscapeIniLine(const std::wstring& line);
std::wstring UnescapeIniLine(const std::wstring& line);
