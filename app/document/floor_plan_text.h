// Plain-text helpers of the floor-plan file: recognising its root and
// splitting its room lists.
#pragma once

#include <string>
#include <vector>

#include "c_string.h"

// The root's start tag and its closing tag both occur in the text.
bool FindRootElement(const char* text);
// Room names separated by ",", ";", line feed or tab, empty ones skipped;
// a piece that begins with a carriage return ends the list.
std::vector<std::string> SplitNameList(const char* text);
// Typed text as a double-quoted attribute value of the file: "&", "<",
// ">" and the apostrophe as references, read back as they were typed; a
// double quote, which no reference carries through an attribute value of
// the reader, as two apostrophes (as room names write it).
CString EscapeAttribute(const CString& text);
