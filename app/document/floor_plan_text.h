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
// ">", the apostrophe and the double quote as references, read back as
// they were typed.
CString EscapeAttribute(const CString& text);
// A room's tag name as the file writes it: its markup characters escaped as
// in attribute values, so that the reader gives back the same name as the
// path list; a first character written as a reference becomes "_".
std::string EscapeTagName(const std::string& tag);
// A name that begins with this character (as the path list gives it back)
// is tagged with "_" in its place: a digit, or a character escaped in text.
bool IsGuardedTagStart(char c);
