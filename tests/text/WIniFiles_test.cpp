#include "support/TempFolder.h"
#include "text/Errors.h"
#include "text/WIniFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class IniFile : public ::testing::Test {
protected:
  std::wstring Name() const { return folder.File(L"options.ini"); }
  void WriteText(const std::wstring& text) { WriteFileBytes(Name(), Utf16Bytes(text, true)); }
  std::vector<uint8_t> Written(const std::wstring& text) { return Utf16Bytes(text, true); }

  TTempFolder folder;
};

std::vector<std::wstring> Items(const TWStrings& list) {
  std::vector<std::wstring> items;
  for (int i = 0; i < list.GetCount(); ++i)
    items.push_back(list.Get(i));
  return items;
}

} // namespace

TEST_F(IniFile, SectionsAndKeysMatchWithoutCaseAndBlanksAroundTheEqualsGo) {
  WriteText(L"[options]\r\n  alwaystop = 1  \r\n");
  TWMemIniFile ini(Name());
  for (const auto& [section, key] :
       {std::pair{L"options", L"alwaystop"}, std::pair{L"OPTIONS", L"AlwaysTop"}}) {
    EXPECT_EQ(ini.ReadString(section, key, L"default"), L"1");
    EXPECT_TRUE(ini.ReadBool(section, key, false));
  }
}

TEST_F(IniFile, EscapedCharactersSurviveASaveAndReload) {
  const std::wstring value = L"a\\b\tc\nd\re";
  {
    TWMemIniFile ini(Name());
    ini.WriteString(L"s", L"k", value);
    ini.UpdateFile();
  }
  EXPECT_EQ(ReadFileBytes(Name()), Written(L"[s]\r\nk=a\\\\b\\tc\\nd\\re\r\n\r\n"));
  TWMemIniFile reread(Name());
  EXPECT_EQ(reread.ReadString(L"s", L"k", L""), value);
}

TEST(IniEscapes, UnescapingDropsUnknownEscapesAndATrailingBackslash) {
  const struct {
    std::wstring text, unescaped;
  } cases[] = {
      {L"path=C:\\dir", L"path=C:ir"}, {L"a\\\\b", L"a\\b"},
      {L"\\n\\r\\t", L"\n\r\t"},       {L"end\\", L"end"},
      {L"\\\\\\n", L"\\\n"},           {L"plain", L"plain"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(UnescapeIniLine(c.text), c.unescaped);
  EXPECT_EQ(EscapeIniLine(L"\\n\t"), L"\\\\n\\t") << "backslashes are doubled first";
}

TEST_F(IniFile, HandWrittenBackslashIsReadAsAnEscape) {
  WriteText(L"[s]\r\npath=C:\\dir\r\n");
  TWMemIniFile ini(Name());
  EXPECT_EQ(ini.ReadString(L"s", L"path", L""), L"C:ir");
}

TEST_F(IniFile, BlanksAroundAValueAreGoneAfterASaveAndReloadButEscapedTabsStay) {
  {
    TWMemIniFile ini(Name());
    ini.WriteString(L"s", L"spaces", L"  padded  ");
    ini.WriteString(L"s", L"tabs", L"\tpadded\t");
    EXPECT_EQ(ini.ReadString(L"s", L"spaces", L""), L"  padded  ") << "kept in memory";
    ini.UpdateFile();
  }
  TWMemIniFile reread(Name());
  EXPECT_EQ(reread.ReadString(L"s", L"spaces", L""), L"padded");
  EXPECT_EQ(reread.ReadString(L"s", L"tabs", L""), L"\tpadded\t");
}

TEST_F(IniFile, TheLaterOfTwoEqualKeysIsReadWrittenAndDeleted) {
  WriteText(L"[s]\r\nk=first\r\nk=second\r\n");
  TWMemIniFile ini(Name());
  EXPECT_EQ(ini.ReadString(L"s", L"k", L""), L"second");
  ini.WriteString(L"s", L"K", L"third");
  TWStringList lines;
  ini.ReadSectionValues(L"s", lines);
  EXPECT_EQ(Items(lines), (std::vector<std::wstring>{L"k=first", L"K=third"}));
  ini.DeleteKey(L"s", L"k");
  ini.ReadSectionValues(L"s", lines);
  EXPECT_EQ(Items(lines), (std::vector<std::wstring>{L"k=first"}));
}

TEST_F(IniFile, TwoSectionsOfOneNameAreBothKeptAndTheLaterIsUsed) {
  WriteText(L"[s]\r\nk=1\r\n[S]\r\nk=2\r\n");
  TWMemIniFile ini(Name());
  EXPECT_EQ(ini.ReadString(L"s", L"k", L""), L"2");
  ini.WriteString(L"s", L"k", L"3");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(Name()), Written(L"[s]\r\nk=1\r\n\r\n[S]\r\nk=3\r\n\r\n"));
}

TEST_F(IniFile, CommentsAndLinesBeforeTheFirstSectionDisappearOnUpdate) {
  WriteText(L"orphan=1\r\n; comment\r\n\r\n[ s ]\r\n;k=x\r\n   \r\nk=1\r\nno value\r\n");
  TWMemIniFile ini(Name());
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(Name()), Written(L"[s]\r\nk=1\r\nno value\r\n\r\n"));
}

TEST_F(IniFile, KeysThatLookLikeCommentsOrHeadersAreReadBackAsSuch) {
  {
    TWMemIniFile ini(Name());
    ini.WriteString(L"s", L";hidden", L"1");
    ini.WriteString(L"s", L"[a", L"b]");
    EXPECT_EQ(ini.ReadString(L"s", L";hidden", L""), L"1");
    ini.UpdateFile();
  }
  TWMemIniFile reread(Name());
  EXPECT_EQ(reread.ReadString(L"s", L";hidden", L"gone"), L"gone");
  TWStringList sections;
  reread.ReadSections(sections);
  EXPECT_EQ(Items(sections), (std::vector<std::wstring>{L"s", L"a=b"}));
}

TEST_F(IniFile, NewKeysAndSectionsAreAppendedAndReplacedKeysKeepTheirPlace) {
  WriteText(L"[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n");
  TWMemIniFile ini(Name());
  ini.WriteString(L"a", L"x", L"10");
  ini.WriteString(L"a", L"w", L"4");
  ini.WriteString(L"c", L"v", L"5");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(Name()),
            Written(L"[a]\r\nx=10\r\ny=2\r\nw=4\r\n\r\n[b]\r\nz=3\r\n\r\n[c]\r\nv=5\r\n\r\n"));
}

TEST_F(IniFile, AMissingFileReadsAsEmptyAndIsCreatedWithTheMark) {
  TWMemIniFile ini(Name());
  EXPECT_EQ(ini.ReadString(L"s", L"k", L"default"), L"default");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(Name()), (std::vector<uint8_t>{0xFF, 0xFE}));
  ini.WriteInteger(L"s", L"k", -5);
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(Name()), Written(L"[s]\r\nk=-5\r\n\r\n"));
}

TEST(IniFileWithoutName, AnEmptyNameGivesAnEmptyFile) {
  TWMemIniFile ini(L"");
  EXPECT_EQ(ini.ReadInteger(L"s", L"k", 7), 7);
}

TEST_F(IniFile, IntegerReadsFollowTheConversionRules) {
  const struct {
    std::wstring text;
    int32_t value;
  } cases[] = {
      {L"42", 42},
      {L"0x0000002A", 42},
      {L"$1F", 31},
      {L"x1a", 26},
      {L"0X64", 100},
      {L"0xFFFFFFFF", -1},
      {L"-$10", -16},
      {L"+5", 5},
      {L"-2147483648", INT32_MIN},
      {L"2147483647", INT32_MAX},
      {L"2147483648", -7},
      {L"$100000000", -7},
      {L"abc", -7},
      {L"", -7},
      {L"0x", -7},
      {L"12abc", -7},
      {L"1 2", -7},
      {L"true", -7},
  };
  TWMemIniFile ini(Name());
  for (const auto& c : cases) {
    ini.WriteString(L"s", L"k", c.text);
    EXPECT_EQ(ini.ReadInteger(L"s", L"k", -7), c.value) << WideToUtf8(c.text);
  }
  ini.WriteString(L"s", L"k", L"true");
  EXPECT_FALSE(ini.ReadBool(L"s", L"k", false));
  EXPECT_TRUE(ini.ReadBool(L"s", L"k", true));
  ini.WriteString(L"s", L"k", L"-3");
  EXPECT_TRUE(ini.ReadBool(L"s", L"k", false));
}

TEST_F(IniFile, TypedWritesUseTheDocumentedTexts) {
  TWMemIniFile ini(Name());
  ini.WriteHex(L"s", L"hex", 42);
  ini.WriteHex(L"s", L"negative", -1);
  ini.WriteInteger(L"s", L"int", -12);
  ini.WriteBool(L"s", L"yes", true);
  ini.WriteBool(L"s", L"no", false);
  ini.WriteFloat(L"s", L"float", 0.1);
  TWStringList lines;
  ini.ReadSectionValues(L"s", lines);
  EXPECT_EQ(Items(lines), (std::vector<std::wstring>{L"hex=0x0000002A", L"negative=0xFFFFFFFF",
                                                     L"int=-12", L"yes=1", L"no=0", L"float=0.1"}));
  EXPECT_EQ(ini.ReadInteger(L"s", L"negative", 0), -1);
}

TEST_F(IniFile, FloatsAndDatesRoundTripAndBadTextGivesTheDefault) {
  TWMemIniFile ini(Name());
  ini.WriteFloat(L"s", L"f", -1234.5625);
  EXPECT_EQ(ini.ReadFloat(L"s", L"f", 0), -1234.5625);
  for (const wchar_t* bad : {L"1,5", L"abc", L"", L"1e999"}) {
    ini.WriteString(L"s", L"f", bad);
    EXPECT_EQ(ini.ReadFloat(L"s", L"f", 9.5), 9.5) << WideToUtf8(bad);
  }

  const TDateTime noonOnNewYear2026 = 46023.5;
  ini.WriteDateTime(L"s", L"when", noonOnNewYear2026);
  EXPECT_NEAR(ini.ReadDateTime(L"s", L"when", 0), noonOnNewYear2026, 1.0 / 86400);
  ini.WriteDate(L"s", L"day", noonOnNewYear2026);
  EXPECT_EQ(ini.ReadDate(L"s", L"day", 0), 46023.0);
  ini.WriteTime(L"s", L"time", 0.75);
  EXPECT_NEAR(ini.ReadTime(L"s", L"time", 0), 0.75, 1.0 / 86400);
  ini.WriteString(L"s", L"when", L"not a date");
  EXPECT_EQ(ini.ReadDateTime(L"s", L"when", 1.25), 1.25);
}

TEST_F(IniFile, BinaryValuesRoundTripThroughStreams) {
  TWMemIniFile ini(Name());
  TMemoryStream source;
  const uint8_t bytes[] = {0x00, 0x7F, 0xFF, 0x10};
  source.Write(bytes, 4);
  source.SetPosition(0);
  ini.WriteBinaryStream(L"s", L"b", source);
  EXPECT_EQ(ini.ReadString(L"s", L"b", L""), L"007FFF10");

  TMemoryStream target;
  EXPECT_EQ(ini.ReadBinaryStream(L"s", L"b", target), 4);
  EXPECT_EQ(target.Bytes(), std::vector<uint8_t>(std::begin(bytes), std::end(bytes)));
}

TEST_F(IniFile, SectionQueriesListNamesAndLines) {
  WriteText(L"[a]\r\nx=1\r\nbare\r\n[b]\r\ny=2\r\n");
  TWMemIniFile ini(Name());
  TWStringList names;
  names.Add(L"stale");
  ini.ReadSection(L"a", names);
  EXPECT_EQ(Items(names), (std::vector<std::wstring>{L"x", L""}));
  ini.ReadSection(L"missing", names);
  EXPECT_EQ(names.GetCount(), 0);

  ini.ReadSections(names);
  EXPECT_EQ(Items(names), (std::vector<std::wstring>{L"a", L"b"}));

  ini.EraseSection(L"A");
  ini.EraseSection(L"missing");
  ini.ReadSections(names);
  EXPECT_EQ(Items(names), (std::vector<std::wstring>{L"b"}));
  EXPECT_EQ(ini.ReadString(L"a", L"x", L"gone"), L"gone");
}

TEST_F(IniFile, AFileThatCannotBeOpenedFailsTheConstruction) {
  WriteText(L"[s]\r\nk=1\r\n");
  HANDLE holder = CreateFileW(Name().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  try {
    TWMemIniFile ini(Name());
    ADD_FAILURE() << "construction succeeded on a locked file";
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.Message().rfind(L"Cannot open file \"" + Name() + L"\". ", 0), 0u);
  }
  CloseHandle(holder);
}

TEST_F(IniFile, AFailedUpdateKeepsTheOldFileAndTheContentInMemory) {
  WriteText(L"[s]\r\nk=old\r\n");
  const auto before = ReadFileBytes(Name());
  TWMemIniFile ini(Name());
  ini.WriteString(L"s", L"k", L"new");
  HANDLE holder = CreateFileW(Name().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  try {
    ini.UpdateFile();
    ADD_FAILURE() << "UpdateFile succeeded on a locked file";
  } catch (const EFCreateError& error) {
    EXPECT_EQ(error.Message().rfind(L"Cannot create file \"" + Name() + L"\". ", 0), 0u);
  }
  CloseHandle(holder);
  EXPECT_EQ(ReadFileBytes(Name()), before);
  EXPECT_EQ(ini.ReadString(L"s", L"k", L""), L"new");
  ini.UpdateFile();
  EXPECT_EQ(ReadFileBytes(Name()), Written(L"[s]\r\nk=new\r\n\r\n"));
}
