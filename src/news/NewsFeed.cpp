#include "news/NewsFeed.h"

#include "news/WrapLines.h"
#include "news/XmlDocument.h"
#include "text/WideText.h"

namespace {

const wchar_t* const AtomEntries = L"/feed/entry";
const wchar_t* const RssItems = L"/rss/channel/item";
const wchar_t* const LineBreak = L"\r\n";
constexpr int TitleColumns = 50;
constexpr int SummaryColumns = 60;

std::wstring Wrapped(const std::wstring& text, int columns) {
  return WrapLines(text, LineBreak, FeedBreakChars, columns);
}

std::optional<std::wstring> ChildText(const TXmlNode& node, const wchar_t* path) {
  const auto child = node.SelectSingleNode(path);
  if (!child)
    return std::nullopt;
  return child->Text();
}

// A leading self-closed tag, such as an image before the text, is cut off
// with everything before it.
std::wstring CleanDescription(std::wstring text) {
  text = ReplaceWideText(text, L"\n", L"", true);
  const size_t tagEnd = FindWideSubstring(L" />", text);
  if (tagEnd == 0)
    return text;
  return TrimWide(text.substr(tagEnd + 2));
}

} // namespace

TFeedLoad TNewsFeed::LoadFeed() {
  const unsigned previousLists = listsMade_;
  TXmlDocument document;
  switch (document.Load(FileName)) {
  case TXmlLoad::Failed:
    return TFeedLoad::NotLoadable;
  case TXmlLoad::Refused:
    return TFeedLoad::Refused;
  case TXmlLoad::Loaded:
    break;
  }
  try {
    if (!document.SelectNodes(AtomEntries).empty()) {
      ReadAtom();
      return TFeedLoad::Read;
    }
    if (!document.SelectNodes(RssItems).empty()) {
      ReadRss();
      return TFeedLoad::Read;
    }
  } catch (const EXmlError&) {
    // What was read before the failing call stays in the new list.
    return listsMade_ != previousLists ? TFeedLoad::Read : TFeedLoad::NotLoadable;
  }
  return TFeedLoad::NoItems;
}

void TNewsFeed::ReadAtom() {
  TXmlDocument document;
  if (document.Load(FileName) != TXmlLoad::Loaded)
    return;
  NewItems();
  for (const TXmlNode& entry : document.SelectNodes(AtomEntries)) {
    auto element = std::make_unique<TElement>();
    if (const auto title = ChildText(entry, L"title"))
      element->Title = Wrapped(*title, TitleColumns);
    if (const auto summary = ChildText(entry, L"summary"))
      element->Summary = Wrapped(*summary, SummaryColumns);
    if (const auto link = ChildText(entry, L"link/@href"))
      element->Link = ToSystemCodePage(*link);
    if (const auto updated = ChildText(entry, L"updated"))
      element->Date = ToSystemCodePage(*updated);
    Items->push_back(std::move(element));
  }
}

void TNewsFeed::ReadRss() {
  TXmlDocument document;
  if (document.Load(FileName) != TXmlLoad::Loaded)
    return;
  NewItems();
  for (const TXmlNode& item : document.SelectNodes(RssItems)) {
    auto element = std::make_unique<TElement>();
    if (const auto title = ChildText(item, L"title")) {
      if (TrimWide(*title).empty())
        continue;
      element->Title = Wrapped(*title, TitleColumns);
    }
    if (const auto description = ChildText(item, L"description"))
      element->Summary = Wrapped(CleanDescription(*description), SummaryColumns);
    if (const auto link = ChildText(item, L"link"))
      element->Link = ToSystemCodePage(*link);
    if (const auto date = ChildText(item, L"pubDate"))
      element->Date = ToSystemCodePage(*date);
    Items->push_back(std::move(element));
  }
}

void TNewsFeed::NewItems() {
  ClearItems();
  Items = std::make_unique<TElementList>();
  ++listsMade_;
}

void TNewsFeed::ClearItems() {
  Items.reset();
}
