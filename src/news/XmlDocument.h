#pragma once

#include "text/Errors.h"

#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <optional>
#include <string>
#include <vector>

// A failed DOM call while reading; the feed reader ends quietly on it.
class EXmlError : public Exception {
  using Exception::Exception;
};

// The DOM object could not be created; this one reaches the caller.
class EOleError : public Exception {
  using Exception::Exception;
};

class TXmlNode {
public:
  explicit TXmlNode(Microsoft::WRL::ComPtr<IXMLDOMNode> node) : node_(std::move(node)) {}

  std::wstring Text() const;
  std::optional<TXmlNode> SelectSingleNode(const std::wstring& path) const;

private:
  Microsoft::WRL::ComPtr<IXMLDOMNode> node_;
};

enum class TXmlLoad { Loaded, Failed, Refused };

// A "Microsoft.XMLDOM" document that loads feeds from the network safely: no
// external entity or DTD is fetched, and a document that declares entities of
// its own (the stuff of expansion bombs and local-file inclusion) is refused.
class TXmlDocument {
public:
  TXmlDocument();

  // Loaded when the file was read completely and is well-formed; Refused when
  // it declares entities.
  TXmlLoad Load(const std::wstring& fileName);
  std::vector<TXmlNode> SelectNodes(const std::wstring& path) const;

private:
  Microsoft::WRL::ComPtr<IXMLDOMDocument> document_;
};

// Whether the document's prolog declares entities; only the bytes before the
// root element are looked at. A prolog that does not end inside the first
// bytes given counts as declaring them.
bool DeclaresEntities(const std::string& documentStart);
