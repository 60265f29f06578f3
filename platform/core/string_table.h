// The string table of the resources: ids to texts, registered by the
// resource tables at start-up and read by CString::LoadString.
#pragma once

#include <initializer_list>
#include <utility>

#include "win_types.h"

void RegisterStrings(std::initializer_list<std::pair<UINT, const wchar_t*>> strings);
// Null for an unknown id.
const wchar_t* FindString(UINT id);
