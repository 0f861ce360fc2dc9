// feeddump FILE: reads FILE with the widget's feed reader and prints its items
// as a JSON array on standard output, in UTF-8. Exit status 0 when the file was
// read as a feed, 1 when the widget would keep its previous items, 2 on misuse.

#include "news/NewsFeed.h"
#include "text/Errors.h"
#include "text/WideText.h"

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

namespace {

std::string JsonString(const std::wstring& text) {
  std::string json = "\"";
  for (char c : WideToUtf8(text)) {
    switch (c) {
    case '"':
      json += "\\\"";
      break;
    case '\\':
      json += "\\\\";
      break;
    case '\n':
      json += "\\n";
      break;
    case '\r':
      json += "\\r";
      break;
    case '\t':
      json += "\\t";
      break;
    default:
      if (static_cast<unsigned char>(c) < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
        json += escaped;
      } else {
        json += c;
      }
    }
  }
  return json + "\"";
}

void PrintItems(const TElementList& items) {
  std::string json = "[";
  for (size_t i = 0; i < items.size(); ++i) {
    const TElement& item = *items[i];
    json += i == 0 ? "\n" : ",\n";
    json += "  {\"title\": " + JsonString(item.Title) +
            ", \"summary\": " + JsonString(item.Summary) +
            ", \"link\": " + JsonString(FromSystemCodePage(item.Link)) +
            ", \"date\": " + JsonString(FromSystemCodePage(item.Date)) + "}";
  }
  json += items.empty() ? "]\n" : "\n]\n";
  std::fwrite(json.data(), 1, json.size(), stdout);
}

int Fail(const std::wstring& fileName, const char* reason) {
  std::fprintf(stderr, "feeddump: %s: %s\n", WideToUtf8(fileName).c_str(), reason);
  return 1;
}

int DumpFeed(const std::wstring& fileName) {
  if (GetFileAttributesW(fileName.c_str()) == INVALID_FILE_ATTRIBUTES)
    return Fail(fileName, "no such file");
  TNewsFeed feed;
  feed.FileName = fileName;
  switch (feed.LoadFeed()) {
  case TFeedLoad::NotLoadable:
    return Fail(fileName, "not loadable: not well-formed XML");
  case TFeedLoad::Refused:
    return Fail(fileName, "refused: it declares entities of its own, as entity-expansion "
                          "bombs and local-file inclusions do");
  case TFeedLoad::NoItems:
    return Fail(fileName, "no Atom /feed/entry and no RSS /rss/channel/item");
  case TFeedLoad::Read:
    break;
  }
  PrintItems(*feed.Items);
  return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: feeddump FILE\n");
    return 2;
  }
  if (FAILED(CoInitialize(nullptr))) {
    std::fprintf(stderr, "feeddump: COM could not be started\n");
    return 1;
  }
  int status = 1;
  try {
    status = DumpFeed(argv[1]);
  } catch (const Exception& error) {
    std::fprintf(stderr, "feeddump: %s\n", error.what());
  }
  CoUninitialize();
  return status;
}
