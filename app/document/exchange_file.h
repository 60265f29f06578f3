// The exchange file "My Documents\qxr.xml": its QXR_DATA element is read
// into the default settings, the room-type catalog and the level list, and
// the predefined room shapes with their edge chains. The tables live for the
// rest of the process, in step by partition index.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "edge_chain_spec.h"

class CXMLElement;

// The exchange file's path as the program names it.
constexpr const wchar_t* kExchangeFilePath = L"My Documents\\qxr.xml";

struct ExchangeTables {
    std::unique_ptr<CXMLElement> root;
    // Per accepted partition: its QXR_SHAPE rows, its element, its chains.
    std::vector<std::vector<CXMLElement*>> shapes;
    std::vector<CXMLElement*> partitions;
    std::vector<std::vector<CEdgeChainSpec>> chains;
    // Per accepted partition and shape row: the row's own chains, empty when
    // the row is checked by its partition's (a shape whose walls the
    // partition's chains do not suit carries its own).
    std::vector<std::vector<std::vector<CEdgeChainSpec>>> shapeChains;
    // Set once a file was read and parsed; later loads keep these tables.
    bool loaded = false;

    ExchangeTables();
    ~ExchangeTables();
};

ExchangeTables& GetExchangeTables();
// Empties the tables and forgets that a file was read.
void ResetExchangeTables();

// Reads the first QXR_DATA element of the text; true when at least one
// partition was accepted. Settings and catalogs are applied either way.
bool ParseExchangeData(const char* text, int length);
// One QXR_PARTITION: skipped without shape rows.
void ReadShapes(CXMLElement* partition);
// The partition's QXR_CHAIN elements, appended as one list to the tables.
void ReadShapeChains(CXMLElement* partition);
// The index of the partition of that name, -1 when there is none.
int FindPartitionIndex(const char* shapeName);
// The chains that check a room made from the shape row at (row, column):
// the row's own, else its partition's; null for a row that is not there.
const std::vector<CEdgeChainSpec>* ShapeChains(int row, int column);
// The chains that check a room of the given shape name: those of the
// partition of that name, else those of the shape row of that name (a room
// keeps the name of the row it was made from); null when neither is there.
const std::vector<CEdgeChainSpec>* ChainsForShapeName(const char* shapeName);

// The exchange file the program ships with (null-terminated).
extern const char kDefaultExchangeFile[];
extern const std::size_t kDefaultExchangeFileSize;
// Puts the shipped exchange file into the documents folder when none is
// there (a user's own file wins); false when it could not be written.
bool InstallDefaultExchangeFile();
