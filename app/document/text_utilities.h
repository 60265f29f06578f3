// The program's text utilities around its XML files: narrow text to wide
// strings by the document code page, and escaping for attribute values.
#pragma once

#include <string>

#include "c_string.h"
#include "win_types.h"

// The document code page: 0, the system's default code page; it is written
// into every floor-plan file and nothing changes it.
UINT DocumentCodePage();

// Narrow text to a wide string (blanks trimmed at both ends with trim).
// False for a null text, leaving out alone; an empty text empties out.
bool ToCString(CString& out, const char* text, bool trim);

// Attribute text escaped for the file: "&" "<" ">" "'" and the double
// quote as entities, which the reader gives back as they were typed.
// XmlEscape converts a narrow text, trimmed, and escapes it in place.
std::wstring XmlEscapeWide(const std::wstring& text);
void XmlEscape(std::string& text);

// A room's name or label as its command text holds it: one line that the
// command player never splits or reads as a statement, that the journal's
// snapshot separator ('#') never splits and that an attribute value holds.
// "&" "<" ">" "'" are entities as in any attribute; a double quote, '#' and
// line ends are references of the room's text ("&quot;", "&num;", "&lf;",
// "&cr;") behind one more "&amp;", so that the file's reader leaves them to
// DecodeNameText. A name of none of these characters is written unchanged.
std::string EncodeNameText(const std::string& text);
// The name or label back from its line once the line's XML entities are
// decoded (as the file's reader decodes an attribute).
std::string DecodeNameText(const std::string& text);

// The characters of the text that the document code page cannot keep (a
// file would hold '?' for them), each once, in the order met; empty when
// the text can be kept whole.
std::wstring CharactersOutsideCodePage(const CString& text);
