#include "news/NewsFeed.h"
#include "support/TempFolder.h"
#include "support/TestData.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <chrono>

namespace {

const auto* const com = ::testing::AddGlobalTestEnvironment(new TComEnvironment);

std::wstring Data(const wchar_t* name) {
  return TestDataFile(std::wstring(L"news/data/") + name);
}

// A feed already holding one item, to see whether a load replaces it.
class NewsFeed : public ::testing::Test {
protected:
  void SetUp() override {
    feed.NewItems();
    auto old = std::make_unique<TElement>();
    old->Title = L"old";
    feed.Items->push_back(std::move(old));
  }

  TFeedLoad Load(const wchar_t* name) {
    feed.FileName = Data(name);
    return feed.LoadFeed();
  }

  bool KeptOldItems() const {
    return feed.Items && feed.Items->size() == 1 && (*feed.Items)[0]->Title == L"old";
  }

  TNewsFeed feed;
};

} // namespace

TEST_F(NewsFeed, AtomEntriesAreReadInDocumentOrder) {
  EXPECT_EQ(Load(L"atom-entries.xml"), TFeedLoad::Read);
  ASSERT_EQ(feed.Items->size(), 3u);
  const TElement& first = *(*feed.Items)[0];
  EXPECT_EQ(first.Title, L"Birinci haber");
  EXPECT_EQ(first.Summary, L"Kısa özet.");
  EXPECT_EQ(first.Link, "http://news.test/1") << "the first link's href";
  EXPECT_EQ(first.Date, "2026-12-11T10:00:00Z");
  EXPECT_EQ((*feed.Items)[1]->Title, L"") << "an empty Atom title is kept";
  EXPECT_EQ((*feed.Items)[1]->Link, "http://news.test/2");
  EXPECT_EQ((*feed.Items)[2]->Title, L"Üçüncü haber");
  EXPECT_EQ((*feed.Items)[2]->Summary, L"");
  EXPECT_EQ((*feed.Items)[2]->Link, "");
  EXPECT_EQ(first.TitleRect.right, 0);
}

TEST_F(NewsFeed, RssItemsSkipBlankTitlesAndCutALeadingSelfClosedTag) {
  EXPECT_EQ(Load(L"rss-items.xml"), TFeedLoad::Read);
  ASSERT_EQ(feed.Items->size(), 2u) << "the item titled with spaces is skipped";
  const TElement& headline = *(*feed.Items)[0];
  EXPECT_EQ(headline.Title, L" Manşet ") << "stored untrimmed";
  EXPECT_EQ(headline.Summary, L"Resimli habermetni.");
  EXPECT_EQ(headline.Link, "http://news.test/1?id=1&x=2");
  EXPECT_EQ(headline.Date, "Fri, 11 Dec 2026 10:00:00 +0300") << "verbatim";
  const TElement& untitled = *(*feed.Items)[1];
  EXPECT_EQ(untitled.Title, L"");
  EXPECT_EQ(untitled.Summary, L"  Başlıksızama açıklamalı  ")
      << "without \" />\" only the line feeds go";
}

TEST_F(NewsFeed, TurkishTextReadsInUtf8AndIso88599) {
  for (const wchar_t* name : {L"turkish-utf8.xml", L"turkish-iso-8859-9.xml"}) {
    EXPECT_EQ(Load(name), TFeedLoad::Read);
    ASSERT_EQ(feed.Items->size(), 1u);
    EXPECT_EQ((*feed.Items)[0]->Title, L"İstanbul'da ğüşıöç ĞÜŞİÖÇ");
    EXPECT_EQ((*feed.Items)[0]->Summary, L"Çok güzel");
  }
}

TEST_F(NewsFeed, BadFilesLeaveThePreviousItems) {
  const struct {
    const wchar_t* name;
    TFeedLoad result;
  } cases[] = {
      {L"rss-no-items.xml", TFeedLoad::NoItems},    {L"truncated.xml", TFeedLoad::NotLoadable},
      {L"missing.xml", TFeedLoad::NotLoadable},     {L"entity-bomb.xml", TFeedLoad::Refused},
      {L"external-entity.xml", TFeedLoad::Refused},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Load(c.name), c.result);
    EXPECT_TRUE(KeptOldItems());
  }
}

TEST_F(NewsFeed, AnOldFeedNamingAnExternalDtdStillReads) {
  EXPECT_EQ(Load(L"rss091-doctype.xml"), TFeedLoad::Read);
  ASSERT_EQ(feed.Items->size(), 1u);
  EXPECT_EQ((*feed.Items)[0]->Title, L"Eski haber");
}

TEST_F(NewsFeed, AnExternalDtdIsNeverFetched) {
  EXPECT_EQ(Load(L"external-dtd.xml"), TFeedLoad::Read);
  ASSERT_EQ(feed.Items->size(), 2u);
  EXPECT_EQ((*feed.Items)[1]->Title, L"plain");
  for (const auto& item : *feed.Items)
    EXPECT_EQ(item->Title.find(L"SECRET"), std::wstring::npos) << "the DTD's entity was expanded";
}

TEST_F(NewsFeed, AnEntityBombFailsFastWithBoundedMemory) {
  PROCESS_MEMORY_COUNTERS before{};
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_NE(Load(L"entity-bomb.xml"), TFeedLoad::Read);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  PROCESS_MEMORY_COUNTERS after{};
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  EXPECT_LT(elapsed, std::chrono::milliseconds(500));
  EXPECT_LT(after.PeakPagefileUsage - before.PeakPagefileUsage, 4u << 20);
  EXPECT_TRUE(KeptOldItems());
}

TEST_F(NewsFeed, ClearItemsLeavesNoList) {
  feed.ClearItems();
  EXPECT_EQ(feed.Items, nullptr);
  feed.NewItems();
  ASSERT_NE(feed.Items, nullptr);
  EXPECT_TRUE(feed.Items->empty());
}

TEST_F(NewsFeed, AMegabyteFeedOfAThousandItems) {
  TTempFolder folder;
  std::string document =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<rss version=\"2.0\"><channel>\n";
  const std::string description(900, 'd');
  for (int i = 0; i < 1000; ++i)
    document += "<item><title>Haber " + std::to_string(i) +
                " ile ilgili uzunca bir başlık burada yer alıyor</title><description>" +
                description + "</description><link>http://news.test/" + std::to_string(i) +
                "</link><pubDate>Fri, 11 Dec 2026 10:00:00 GMT</pubDate></item>\n";
  document += "</channel></rss>\n";
  ASSERT_GT(document.size(), 1000000u);
  WriteFileBytes(folder.File(L"big.xml"), std::vector<uint8_t>(document.begin(), document.end()));

  feed.FileName = folder.File(L"big.xml");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(feed.LoadFeed(), TFeedLoad::Read);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(feed.Items->size(), 1000u);
  EXPECT_EQ((*feed.Items)[999]->Link, "http://news.test/999");
  std::printf("1000 items (%zu bytes) read in %lld ms\n", document.size(),
              static_cast<long long>(
                  std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
}
