#include "news/XmlDocument.h"

#include "text/Streams.h"

#include <oleauto.h>

using Microsoft::WRL::ComPtr;

namespace {

// IXMLDOMDocument; mingw-w64's libuuid does not carry it.
const IID IID_XmlDomDocument = {
    0x2933bf81, 0x7b36, 0x11d2, {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

// The prolog of any real feed is a few hundred bytes.
constexpr size_t PrologLimit = 64 * 1024;

class TBstr {
public:
  explicit TBstr(const std::wstring& text) : text_(SysAllocStringLen(text.data(), text.size())) {}
  TBstr() = default;
  ~TBstr() { SysFreeString(text_); }
  TBstr(const TBstr&) = delete;
  TBstr& operator=(const TBstr&) = delete;

  BSTR Get() const { return text_; }
  BSTR* Receive() { return &text_; }
  std::wstring Text() const { return std::wstring(text_ ? text_ : L"", SysStringLen(text_)); }

private:
  BSTR text_ = nullptr;
};

void Check(HRESULT result) {
  if (FAILED(result))
    throw EXmlError(L"XML DOM call failed: " + SystemErrorMessage(static_cast<DWORD>(result)));
}

// The prolog as one byte per character: UTF-16 documents keep their low bytes,
// which is enough to find markup that is all ASCII.
std::string NarrowProlog(const std::string& bytes) {
  const bool littleEndian = bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                                                  (bytes[0] == '<' && bytes[1] == '\0'));
  const bool bigEndian = bytes.size() >= 2 && ((bytes[0] == '\xFE' && bytes[1] == '\xFF') ||
                                               (bytes[0] == '\0' && bytes[1] == '<'));
  if (!littleEndian && !bigEndian)
    return bytes;
  std::string narrow;
  for (size_t i = littleEndian ? 0 : 1; i < bytes.size(); i += 2)
    narrow += bytes[i];
  return narrow;
}

std::string ReadStart(const std::wstring& fileName) {
  TFileStream stream(fileName, TFileMode::OpenRead);
  std::string bytes(PrologLimit * 2, '\0');
  bytes.resize(static_cast<size_t>(stream.Read(bytes.data(), PrologLimit * 2)));
  return bytes;
}

} // namespace

namespace {

// The end of the DOCTYPE declaration starting at start, skipping quoted
// literals and comments, which may hold '>' and ']'; npos when it does not end.
size_t DoctypeEnd(const std::string& prolog, size_t start, bool& declaresEntities) {
  int depth = 0;
  for (size_t i = start + 9; i < prolog.size(); ++i) {
    const char c = prolog[i];
    if (c == '"' || c == '\'') {
      i = prolog.find(c, i + 1);
      if (i == std::string::npos)
        return i;
    } else if (prolog.compare(i, 4, "<!--") == 0) {
      i = prolog.find("-->", i + 4);
      if (i == std::string::npos)
        return i;
      i += 2;
    } else if (prolog.compare(i, 8, "<!ENTITY") == 0) {
      declaresEntities = true;
    } else if (c == '[') {
      ++depth;
    } else if (c == ']') {
      --depth;
    } else if (c == '>' && depth <= 0) {
      return i;
    }
  }
  return std::string::npos;
}

} // namespace

bool DeclaresEntities(const std::string& documentStart) {
  const std::string prolog = NarrowProlog(documentStart);
  const bool truncated = prolog.size() >= PrologLimit;
  size_t i = prolog.find('<');
  while (i != std::string::npos) {
    size_t end;
    if (prolog.compare(i, 2, "<?") == 0) {
      end = prolog.find("?>", i + 2);
    } else if (prolog.compare(i, 4, "<!--") == 0) {
      end = prolog.find("-->", i + 4);
    } else if (prolog.compare(i, 9, "<!DOCTYPE") == 0) {
      bool declares = false;
      end = DoctypeEnd(prolog, i, declares);
      if (declares)
        return true;
    } else {
      return false;
    }
    if (end == std::string::npos)
      return truncated;
    i = prolog.find('<', end + 1);
  }
  return truncated;
}

TXmlDocument::TXmlDocument() {
  CLSID classId{};
  HRESULT result = CLSIDFromProgID(L"Microsoft.XMLDOM", &classId);
  if (SUCCEEDED(result))
    result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_XmlDomDocument,
                              reinterpret_cast<void**>(document_.GetAddressOf()));
  if (FAILED(result))
    throw EOleError(L"Cannot create the XML DOM: " +
                    SystemErrorMessage(static_cast<DWORD>(result)));
  // The selections follow the load at once, so it must be complete.
  Check(document_->put_async(VARIANT_FALSE));
  Check(document_->put_resolveExternals(VARIANT_FALSE));
  Check(document_->put_validateOnParse(VARIANT_FALSE));
}

TXmlLoad TXmlDocument::Load(const std::wstring& fileName) {
  try {
    if (DeclaresEntities(ReadStart(fileName)))
      return TXmlLoad::Refused;
  } catch (const EStreamError&) {
    return TXmlLoad::Failed;
  }
  TBstr name(fileName);
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_BSTR;
  source.bstrVal = name.Get();
  VARIANT_BOOL loaded = VARIANT_FALSE;
  const bool ok = SUCCEEDED(document_->load(source, &loaded)) && loaded == VARIANT_TRUE;
  return ok ? TXmlLoad::Loaded : TXmlLoad::Failed;
}

std::vector<TXmlNode> TXmlDocument::SelectNodes(const std::wstring& path) const {
  TBstr query(path);
  ComPtr<IXMLDOMNodeList> list;
  Check(document_->selectNodes(query.Get(), list.GetAddressOf()));
  long length = 0;
  Check(list->get_length(&length));
  std::vector<TXmlNode> nodes;
  for (long i = 0; i < length; ++i) {
    ComPtr<IXMLDOMNode> node;
    Check(list->get_item(i, node.GetAddressOf()));
    nodes.emplace_back(node);
  }
  return nodes;
}

std::wstring TXmlNode::Text() const {
  TBstr text;
  Check(node_->get_text(text.Receive()));
  return text.Text();
}

std::optional<TXmlNode> TXmlNode::SelectSingleNode(const std::wstring& path) const {
  TBstr query(path);
  ComPtr<IXMLDOMNode> node;
  Check(node_->selectSingleNode(query.Get(), node.GetAddressOf()));
  if (!node)
    return std::nullopt;
  return TXmlNode(node);
}
