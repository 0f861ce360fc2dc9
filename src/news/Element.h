#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// One news item. Link and Date are 8-bit text in the system code page.
class TElement {
public:
  std::wstring Title;
  std::wstring Summary;
  std::string Link;
  std::string Date;
  RECT TitleRect{};
};

// The items of a feed in document order; the list owns them.
using TElementList = std::vector<std::unique_ptr<TElement>>;
