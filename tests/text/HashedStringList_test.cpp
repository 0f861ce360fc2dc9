#include "text/HashedStringList.h"

#include <gtest/gtest.h>

#include <functional>

TEST(WStringHash, HashRotatesLeftByTwoAndXorsEachUnit) {
  TWStringHash hash(256);
  EXPECT_EQ(hash.HashOf(L""), 0u);
  EXPECT_EQ(hash.HashOf(L"A"), 65u);
  EXPECT_EQ(hash.HashOf(L"AB"), 326u);
  // A unit rotates two bits per following unit and comes round after sixteen.
  const std::wstring one = L"\x0001";
  EXPECT_EQ(hash.HashOf(one + std::wstring(15, L'\0')), 0x40000000u);
  EXPECT_EQ(hash.HashOf(one + std::wstring(16, L'\0')), 1u);
}

TEST(WStringHash, ValueOfFindsTheLastAddedAndMinusOneForUnknownKeys) {
  TWStringHash hash(4);
  EXPECT_EQ(hash.ValueOf(L"never"), -1);
  hash.Add(L"k", 1);
  hash.Add(L"k", 2);
  hash.Add(L"K", 3);
  EXPECT_EQ(hash.ValueOf(L"k"), 2);
  EXPECT_EQ(hash.ValueOf(L"K"), 3);
  EXPECT_EQ(*hash.Find(L"absent"), nullptr);
  hash.Clear();
  EXPECT_EQ(hash.ValueOf(L"k"), -1);
}

TEST(WHashedStringList, LookupsIgnoreCaseAndPreferTheHighestIndex) {
  TWHashedStringList list;
  list.Add(L"options");
  list.Add(L"alwaystop=1");
  list.Add(L"k=1");
  list.Add(L"K=2");
  list.Add(L"plain");
  EXPECT_EQ(list.IndexOf(L"OPTIONS"), 0);
  EXPECT_EQ(list.IndexOfName(L"AlwaysTop"), 1);
  EXPECT_EQ(list.IndexOfName(L"k"), 3);
  EXPECT_EQ(list.IndexOf(L"plain"), 4);
  EXPECT_EQ(list.IndexOfName(L"plain"), -1);
  EXPECT_EQ(list.IndexOf(L"missing"), -1);
}

TEST(WHashedStringList, CaseSensitiveListsMatchExactly) {
  TWHashedStringList list;
  list.Add(L"Key=1");
  EXPECT_EQ(list.IndexOfName(L"KEY"), 0);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOfName(L"KEY"), -1);
  EXPECT_EQ(list.IndexOfName(L"Key"), 0);
  EXPECT_EQ(list.IndexOf(L"key=1"), -1);
}

TEST(WHashedStringList, EveryMutationRefreshesTheLookups) {
  const struct {
    const char* mutation;
    std::function<void(TWHashedStringList&)> apply;
    int indexOfC;
    int indexOfNameB;
  } cases[] = {
      {"Delete", [](auto& l) { l.Delete(0); }, 1, 0},
      {"Insert", [](auto& l) { l.Insert(0, L"new"); }, 3, 2},
      {"Put", [](auto& l) { l.Put(2, L"x=1"); }, -1, 1},
      {"Exchange", [](auto& l) { l.Exchange(1, 2); }, 1, 2},
      {"Move", [](auto& l) { l.Move(2, 0); }, 0, 2},
      {"Clear", [](auto& l) { l.Clear(); }, -1, -1},
      {"SetText", [](auto& l) { l.SetText(L"c\r\nb=9"); }, 0, 1},
      {"inside a batch",
       [](auto& l) {
         l.BeginUpdate();
         l.Delete(0);
         l.Delete(0);
       },
       0, -1},
  };
  for (const auto& c : cases) {
    TWHashedStringList list;
    list.Add(L"a=0");
    list.Add(L"b=1");
    list.Add(L"c");
    ASSERT_EQ(list.IndexOf(L"c"), 2);
    ASSERT_EQ(list.IndexOfName(L"b"), 1);
    c.apply(list);
    EXPECT_EQ(list.IndexOf(L"c"), c.indexOfC) << c.mutation;
    EXPECT_EQ(list.IndexOfName(L"b"), c.indexOfNameB) << c.mutation;
  }
}

TEST(WHashedStringList, UpperCasingKeepsTheLength) {
  EXPECT_EQ(UpperCaseWide(L"ığüşiöç"), L"ıĞÜŞIÖÇ");
}
