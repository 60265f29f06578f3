// A run of walls of a predefined room shape, as the exchange file names it:
// the walls' names and the three flags of the chain.
#pragma once

#include <string>
#include <vector>

class CXMLElement;

class CEdgeChainSpec {
public:
    // Reads the flags (only the exact "NO" turns one off) and the names of
    // the QXR_EDGE children that carry one, in element order.
    void Parse(CXMLElement* element);

    std::vector<std::string> edgeNames;
    bool ortho = true;
    bool reorder = true;
    bool check = true;
};
