// Feeds arbitrary bytes, and texts assembled from XML pieces, to the XML
// reader element by element and to the named-element search, then walks
// what was read. Any crash or sanitizer report is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "xml_element.h"

namespace {

const char* const kPieces[] = {
    "<", ">", "/", "</", "/>", "<?", "?>", "<!--", "-->", "<![CDATA[", "]]>", "\"", "=", " ",
    "\n", "a", "b", "FLOOR_PLAN", "PARTITION", "SHAPE", "OPENING", "body", "name", "position",
    "&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&", ";", "&bogus;", "x", "1",
};

void Walk(CXMLElement* element, int depth)
{
    if (!element || depth > 300)
        return;
    element->GetAttribute("name");
    element->CountChildren("a", "b", "1");
    for (CXMLNode* child = element->GetFirstChild(); child; child = child->GetNextSibling())
        Walk(static_cast<CXMLElement*>(child), depth + 1);
    element->GetChild("a", 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text;
    if (size > 0 && data[0] % 2 == 0)
        text.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    else
        for (size_t i = 1; i < size; ++i)
            text += kPieces[data[i] % std::size(kPieces)];
    const int length = static_cast<int>(text.size());
    int position = 0;
    for (int guard = 0; guard < 64 && position < length; ++guard) {
        CXMLElement element;
        if (!element.Parse(text.c_str(), length, &position))
            break;
        Walk(&element, 0);
    }
    delete FindElement(text.c_str(), length, "FLOOR_PLAN");
    return 0;
}
