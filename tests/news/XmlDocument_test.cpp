#include "news/XmlDocument.h"

#include <gtest/gtest.h>

TEST(DeclaresEntities, OnlyEntityDeclarationsBeforeTheRootElementCount) {
  const struct {
    const char* name;
    std::string start;
    bool declares;
  } cases[] = {
      {"plain feed", "<?xml version=\"1.0\"?>\n<rss><channel/></rss>", false},
      {"external DTD only",
       "<?xml version=\"1.0\"?><!DOCTYPE rss PUBLIC \"-//N//DTD RSS 0.91//EN\" "
       "\"http://x.test/rss.dtd\"><rss/>",
       false},
      {"internal subset without entities",
       "<!DOCTYPE rss [ <!ELEMENT rss ANY> <!ATTLIST rss version CDATA #IMPLIED> ]><rss/>", false},
      {"internal entity", "<!DOCTYPE rss [ <!ENTITY a \"b\"> ]><rss>&a;</rss>", true},
      {"external entity", "<!DOCTYPE rss [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><rss/>", true},
      {"a comment with a tag in it does not end the prolog",
       "<!-- <fake> --><!DOCTYPE rss [<!ENTITY a \"b\">]><rss/>", true},
      {"a processing instruction first",
       "<?xml-stylesheet href=\"a.xsl\"?><!DOCTYPE r [<!ENTITY a \"b\">]><r/>", true},
      {"a quoted > inside the DOCTYPE", "<!DOCTYPE r SYSTEM \"a>b.dtd\" [<!ENTITY a \"b\">]><r/>",
       true},
      {"entity text after the root element is content",
       "<rss><title>&lt;!ENTITY</title><!-- <!ENTITY a \"b\"> --></rss>", false},
      {"UTF-16 little-endian",
       std::string("\xFF\xFE<\0!\0D\0O\0C\0T\0Y\0P\0E\0 \0r\0 \0[\0<\0!\0E\0N\0T\0I\0T\0Y\0", 44),
       true},
      {"a prolog that never ends", "<!DOCTYPE r [" + std::string(70000, ' '), true},
      {"a short unterminated prolog", "<!DOCTYPE r [", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DeclaresEntities(c.start), c.declares) << c.name;
}
