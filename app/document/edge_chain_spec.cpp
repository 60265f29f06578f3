#include "edge_chain_spec.h"

#include <cstring>

#include "xml_element.h"

namespace {

bool FlagOf(CXMLElement* element, const char* name)
{
    const char* value = element->GetAttribute(name);
    return !(value && std::strcmp(value, "NO") == 0);
}

}  // namespace

void CEdgeChainSpec::Parse(CXMLElement* element)
{
    edgeNames.clear();
    ortho = reorder = check = true;
    if (!element)
        return;
    ortho = FlagOf(element, "ortho");
    reorder = FlagOf(element, "reorder");
    check = FlagOf(element, "check");
    for (CXMLNode* child = element->GetFirstChild(); child; child = child->GetNextSibling()) {
        auto* edge = dynamic_cast<CXMLElement*>(child);
        if (!edge || std::strcmp(edge->GetName(), "QXR_EDGE") != 0)
            continue;
        if (const char* name = edge->GetAttribute("name"))
            edgeNames.emplace_back(name);
    }
}
