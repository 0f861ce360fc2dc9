#pragma once

#include "news/Element.h"

#include <memory>
#include <optional>
#include <string>

enum class TFeedLoad {
  Read,        // the items were replaced by the document's
  NotLoadable, // missing or not well-formed
  Refused,     // declares entities of its own, as expansion bombs do
  NoItems,     // well-formed, but no Atom entry and no RSS item
};

// Reads the feed file FileName into Items, Atom first, then RSS 2.0. A bad
// file leaves the previous items untouched, so the last good news stays.
class TNewsFeed {
public:
  TNewsFeed() = default;
  ~TNewsFeed() { ClearItems(); }
  TNewsFeed(const TNewsFeed&) = delete;
  TNewsFeed& operator=(const TNewsFeed&) = delete;

  // Raises only when the XML DOM cannot be created.
  TFeedLoad LoadFeed();
  void ReadAtom();
  void ReadRss();
  void NewItems();
  void ClearItems();

  std::wstring FileName;
  std::unique_ptr<TElementList> Items;

private:
  // Tells LoadFeed whether a reader replaced the list before a DOM call failed.
  unsigned listsMade_ = 0;
};
