// The check of text typed for a file: the document code page keeps only
// its own characters, so a dialog says which it cannot keep while the
// person can still change them.
#pragma once

#include "c_string.h"
#include "data_exchange.h"

// Fails the exchange, after a message that names the characters, when the
// value holds one the document code page cannot keep.
void DDV_DocumentText(CDataExchange* pDX, const CString& value);
