// What the start of a file says: its encoding and the DTD of its DOCTYPE.
#include "xml/xml_prolog.h"

#include <gtest/gtest.h>

#include <string>

#include "text/encoding.h"

namespace zor {
namespace {

std::string Utf16Le(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (const char c : ascii) out += std::string{c, '\0'};
  return out;
}

TEST(XmlProlog, TellsTheEncodingAndTheDoctype) {
  struct Case {
    const char* what;
    std::string head;
    XmlEncoding encoding;
    const char* declared;
    bool doctype;
    const char* root;
    const char* systemId;
  };
  const std::string sjis = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
  const Case cases[] = {
      {"Shift_JIS", sjis + "<!DOCTYPE constdata SYSTEM \"INDE_C05.DTD\">\r\n<constdata/>", XmlEncoding::kShiftJis,
       "Shift_JIS", true, "constdata", "INDE_C05.DTD"},
      {"Japanese before the DOCTYPE",
       sjis + Sj("<!-- 工事①の索引 -->\r\n<?pi x?>\r\n<!DOCTYPE constdata SYSTEM \"INDE_C05.DTD\">\r\n<constdata/>"),
       XmlEncoding::kShiftJis, "Shift_JIS", true, "constdata", "INDE_C05.DTD"},
      {"windows path", sjis + "<!DOCTYPE photodata SYSTEM \"..\\DTD\\PHOTO04.DTD\"><photodata/>",
       XmlEncoding::kShiftJis, "Shift_JIS", true, "photodata", "..\\DTD\\PHOTO04.DTD"},
      {"public and internal subset",
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!DOCTYPE a PUBLIC \"-//X//Y\" \"A.DTD\" [<!ENTITY e \"x\">]><a/>",
       XmlEncoding::kUtf8, "UTF-8", true, "a", "A.DTD"},
      {"no declaration", "<!DOCTYPE a SYSTEM \"A.DTD\"><a/>", XmlEncoding::kUtf8, "", true, "a", "A.DTD"},
      {"no doctype", sjis + "<a><b/></a>", XmlEncoding::kShiftJis, "Shift_JIS", false, "", ""},
      {"a doctype after the element is none", "<a/><!DOCTYPE a SYSTEM \"A.DTD\">", XmlEncoding::kUtf8, "", false, "",
       ""},
      {"doctype without a file", "<!DOCTYPE a><a/>", XmlEncoding::kUtf8, "", true, "a", ""},
      {"UTF-16", Utf16Le("<?xml version=\"1.0\" encoding=\"UTF-16\"?><!DOCTYPE a SYSTEM \"A.DTD\"><a/>"),
       XmlEncoding::kUtf16, "", true, "a", "A.DTD"},
      {"EUC-JP", "<?xml version=\"1.0\" encoding=\"EUC-JP\"?><!DOCTYPE a SYSTEM \"A.DTD\"><a/>", XmlEncoding::kOther,
       "EUC-JP", true, "a", "A.DTD"},
      {"windows-31j", "<?xml version='1.0' encoding='Windows-31J'?><a/>", XmlEncoding::kShiftJis, "Windows-31J", false,
       "", ""},
      {"garbage", std::string("\x00\x01\x02\xFF<<!DOCTYPE", 14), XmlEncoding::kUtf8, "", false, "", ""},
      {"empty", "", XmlEncoding::kUtf8, "", false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const XmlProlog p = ReadXmlProlog(c.head);
    EXPECT_EQ(p.encoding, c.encoding);
    EXPECT_EQ(p.declaredEncoding, c.declared);
    EXPECT_EQ(p.doctype, c.doctype);
    EXPECT_EQ(p.rootName, c.root);
    EXPECT_EQ(p.systemId, c.systemId);
  }
}

TEST(XmlProlog, ADoctypeBeyondTheHeadIsNotSeen) {
  const std::string head = "<!--" + std::string(kXmlPrologBytes, 'x') + "--><!DOCTYPE a SYSTEM \"A.DTD\"><a/>";
  EXPECT_FALSE(ReadXmlProlog(head).doctype);
}

TEST(XmlProlog, TheDtdFileNameIsTheLastComponent) {
  EXPECT_EQ(SystemIdFileName("INDE_C05.DTD"), "INDE_C05.DTD");
  EXPECT_EQ(SystemIdFileName("..\\DTD\\PHOTO04.DTD"), "PHOTO04.DTD");
  EXPECT_EQ(SystemIdFileName("file:///C:/DTD/PHOTO05.DTD"), "PHOTO05.DTD");
  EXPECT_EQ(SystemIdFileName("PHOTO%30%35.DTD"), "PHOTO05.DTD");
  EXPECT_EQ(SystemIdFileName("DTD/"), "");
}

TEST(XmlProlog, AFileThatIsNoRegularFileIsNotRead) {
  EXPECT_FALSE(ReadXmlPrologFile("/nonexistent/INDEX_C.XML"));
  EXPECT_FALSE(ReadXmlPrologFile("/tmp"));
}

}  // namespace
}  // namespace zor
