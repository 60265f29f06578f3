// Text utilities: narrow to wide by the document code page, and escaping
// attribute values so that the XML reader gets them back.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "text_utilities.h"
#include "xml_element.h"

namespace {

TEST(TextUtilitiesTest, ToCString)
{
    CString out = L"kept";
    EXPECT_FALSE(ToCString(out, nullptr, true));
    EXPECT_EQ(std::wstring(out.GetString()), L"kept");
    EXPECT_TRUE(ToCString(out, "", true));
    EXPECT_EQ(out.GetLength(), 0);
    EXPECT_TRUE(ToCString(out, "  Caf\xe9 \t", true));
    EXPECT_EQ(std::wstring(out.GetString()), L"Caf\u00e9");
    EXPECT_TRUE(ToCString(out, " a ", false));
    EXPECT_EQ(std::wstring(out.GetString()), L" a ");
    EXPECT_EQ(DocumentCodePage(), 0u);
}

TEST(TextUtilitiesTest, XmlEscape)
{
    const struct {
        const char* text;
        const char* escaped;
    } rows[] = {
        {"  Bob's \"big\" room  ", "Bob&apos;s &quot;big&quot; room"},
        {"a & b < c > d", "a &amp; b &lt; c &gt; d"},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& row : rows) {
        std::string text = row.text;
        XmlEscape(text);
        EXPECT_EQ(text, row.escaped) << row.text;
    }
}

// What the writer escapes, the reader gives back, double quotes included.
TEST(TextUtilitiesTest, EscapedValuesReadBack)
{
    std::string value = "Tom & Jerry's <den> \"B\"";
    XmlEscape(value);
    const std::string xml = "<ROOM name=\"" + value + "\"/>";
    CXMLElement element;
    ASSERT_TRUE(element.Parse(xml.c_str(), static_cast<int>(xml.size()), nullptr));
    EXPECT_STREQ(element.GetAttribute("name"), "Tom & Jerry's <den> \"B\"");
}

}  // namespace
