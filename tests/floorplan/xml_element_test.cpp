// The XML reader: text, entities, attributes, comments, instructions,
// children, errors and the nesting limit.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "xml_element.h"

namespace {

std::unique_ptr<CXMLElement> Parse(const std::string& text, bool* ok = nullptr)
{
    auto element = std::make_unique<CXMLElement>();
    const bool parsed = element->Parse(text.c_str(), static_cast<int>(text.size()), nullptr);
    if (ok)
        *ok = parsed;
    return element;
}

struct TextCase {
    const char* xml;
    bool ok;
    const char* name;
    const char* text;
    int children;
};

TEST(XmlElementTest, ParsesTextAndStructure)
{
    const TextCase cases[] = {
        {"<a>  one   two  </a>", true, "a", "one two", 0},
        {"<a>x &lt; y</a>", true, "a", "x < y", 0},
        {"<a>&lt;b&gt;</a>", true, "a", "<b>", 0},
        {"<a>&bogus; z</a>", true, "a", "&bogus; z", 0},
        {"<!-- note --><root>t</root>", true, "root", "t", 0},
        {"<a><b/><c>x</c><b/></a>", true, "a", "", 3},
        {"<a><![CDATA[raw <x>]]></a>", true, "a", "raw <x>", 0},
        {"<a></b>", false, "", "", 0},
        {"<a><b></a>", false, "", "", 0},
        {"<a>text", false, "", "", 0},   // cut off: nothing partial
        {"<a x=\"1\"", false, "", "", 0},
        {"", false, "", "", 0},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.xml);
        bool ok = false;
        auto element = Parse(c.xml, &ok);
        EXPECT_EQ(ok, c.ok);
        if (!c.ok)
            continue;
        EXPECT_STREQ(element->GetName(), c.name);
        EXPECT_STREQ(element->GetText(), c.text);
        EXPECT_EQ(element->CountChildren(), c.children);
        EXPECT_TRUE(element->IsComplete());
    }
}

TEST(XmlElementTest, AttributesKeepBlanksAndDecodeEntities)
{
    bool ok = false;
    auto element = Parse("<shape name=\"L room\"  kind=\"2\" note=\"a &amp; b\" cut=\"x&quot;y\"/>", &ok);
    ASSERT_TRUE(ok);
    EXPECT_STREQ(element->GetAttribute("name"), "L room");
    EXPECT_STREQ(element->GetAttribute("kind"), "2");
    EXPECT_STREQ(element->GetAttribute("note"), "a & b");
    // A referenced quote is a character of the value, not its end.
    EXPECT_STREQ(element->GetAttribute("cut"), "x\"y");
    EXPECT_EQ(element->GetAttribute("missing"), nullptr);
    EXPECT_EQ(element->GetAttribute(nullptr), nullptr);
    EXPECT_EQ(element->CountChildren(), 0);
}

// Only a quote typed as such opens or closes a value; a referenced one
// inside a value is the value's own, wherever it stands.
TEST(XmlElementTest, ReferencedQuotesStayInTheirValue)
{
    const struct {
        const char* attributes;
        const char* v;
        const char* w;
    } rows[] = {
        {"v=\"x&quot;y\" w=\"2\"", "x\"y", "2"},
        {"v=\"&quot;\" w=\"2\"", "\"", "2"},
        {"v=\"&quot;&quot;\" w=\"\"", "\"\"", ""},
        {"v=\"a&quot; w=&quot;c\" w=\"2\"", "a\" w=\"c", "2"},
        {"v=\"1&quot;/>&quot;\" w=\"&quot;2\"", "1\"/>\"", "\"2"},
        {"v=\"  &quot;\t&quot;  \" w=\"2\"", "  \"\t\"  ", "2"},
        {"v=\"a&amp;quot;b\" w=\"2\"", "a&quot;b", "2"},
        // As earlier versions wrote a double quote.
        {"v=\"5'6&apos;&apos;\" w=\"2\"", "5'6''", "2"},
        // Outside a value a referenced quote still reads as a quote.
        {"v=&quot;1&quot; w=\"2\"", "1", "2"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.attributes);
        bool ok = false;
        auto element = Parse(std::string("<e ") + row.attributes + "/>", &ok);
        ASSERT_TRUE(ok);
        ASSERT_NE(element->GetAttribute("v"), nullptr);
        EXPECT_STREQ(element->GetAttribute("v"), row.v);
        ASSERT_NE(element->GetAttribute("w"), nullptr);
        EXPECT_STREQ(element->GetAttribute("w"), row.w);
    }
}

TEST(XmlElementTest, InstructionFirstThenFindElement)
{
    const std::string text = "<?xml version=\"1.0\"?>\n<!-- c --><other/><FLOOR_PLAN a=\"1\"><P/></FLOOR_PLAN>";
    int position = 0;
    CXMLElement first;
    ASSERT_TRUE(first.Parse(text.c_str(), static_cast<int>(text.size()), &position));
    EXPECT_EQ(first.GetKind(), CXMLElement::kProcessing);
    EXPECT_STREQ(first.GetName(), "");
    std::unique_ptr<CXMLElement> plan(FindElement(text.c_str(), static_cast<int>(text.size()), "FLOOR_PLAN"));
    ASSERT_NE(plan, nullptr);
    EXPECT_STREQ(plan->GetAttribute("a"), "1");
    EXPECT_EQ(plan->GetChildCount(), 1);
    EXPECT_EQ(FindElement(text.c_str(), static_cast<int>(text.size()), "NOPE"), nullptr);
}

TEST(XmlElementTest, ChildLookupByNameIndexAndAncestors)
{
    bool ok = false;
    auto root = Parse("<r><P id=\"1\"/><Q><S/></Q><P id=\"2\" k=\"x\"/><P id=\"3\"/></r>", &ok);
    ASSERT_TRUE(ok);
    EXPECT_STREQ(root->GetChild("P", 1)->GetAttribute("id"), "1");
    EXPECT_STREQ(root->GetChild("P", 2)->GetAttribute("id"), "2");
    EXPECT_STREQ(root->GetChild("P", 3)->GetAttribute("id"), "3");
    EXPECT_STREQ(root->GetChild("P", -4)->GetAttribute("id"), "1");
    EXPECT_EQ(root->GetChild("P", 4), nullptr);
    EXPECT_EQ(root->GetChild("p", 1), nullptr);
    EXPECT_EQ(root->GetChild("P", 3)->GetSiblingPosition(), 4);
    // Index 0 climbs: S has no P, its grandparent does.
    CXMLElement* s = root->GetChild("Q", 1)->GetChild("S", 1);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s->GetChild("P", 0)->GetAttribute("id"), "1");
    EXPECT_EQ(s->GetChild("P", 1), nullptr);
    EXPECT_EQ(root->CountChildren("P"), 3);
    EXPECT_EQ(root->CountChildren("P", "k"), 1);
    EXPECT_EQ(root->CountChildren("P", "id", "3"), 1);
    EXPECT_EQ(root->CountChildren("P", "id", "9"), 0);
}

TEST(XmlElementTest, NestingDeeperThanTheLimitIsAnError)
{
    auto nest = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "<e>";
        for (int i = 0; i < depth; ++i)
            text += "</e>";
        return text;
    };
    bool ok = false;
    Parse(nest(CXMLElement::kMaxDepth - 1), &ok);
    EXPECT_TRUE(ok);
    Parse(nest(CXMLElement::kMaxDepth + 1), &ok);
    EXPECT_FALSE(ok);
    Parse(nest(100000), &ok);
    EXPECT_FALSE(ok);
}

TEST(XmlElementTest, PositionAdvancesElementByElement)
{
    const std::string text = "<a/> <b>x</b>";
    int position = 0;
    CXMLElement a, b, c;
    ASSERT_TRUE(a.Parse(text.c_str(), static_cast<int>(text.size()), &position));
    ASSERT_TRUE(b.Parse(text.c_str(), static_cast<int>(text.size()), &position));
    EXPECT_STREQ(b.GetName(), "b");
    EXPECT_EQ(position, static_cast<int>(text.size()));
    EXPECT_FALSE(c.Parse(text.c_str(), static_cast<int>(text.size()), &position));
}

TEST(XmlElementTest, NodeNamesAndValues)
{
    CXMLAttribute attribute;
    attribute.SetName(nullptr);
    EXPECT_STREQ(attribute.GetName(), "");
    attribute.SetName("body");
    char buffer[8];
    EXPECT_STREQ(attribute.GetName(buffer), "body");
    attribute.SetValue("abcdef", 3);
    EXPECT_STREQ(attribute.GetValue(), "abc");
    attribute.SetValue("xyz");
    EXPECT_STREQ(attribute.GetValue(), "xyz");
}

}  // namespace
