// Small file helpers of the save and open commands.
#pragma once

#include <memory>
#include <string>

#include "c_file.h"
#include "c_string.h"

// The whole file as narrow text with a NUL after it; its length, 0 when it
// cannot be read or is empty (the buffer is then null or empty).
int ReadTextFile(const CString& path, std::unique_ptr<char[]>& buffer);
// Deletes every file below the folder (a trailing backslash allowed);
// entries whose names begin with "." and the folders themselves stay.
void DeleteFolder(const CString& path);
// Puts the bytes in place of the file in one step: written whole to a
// temporary file beside it, put on the storage, then renamed over it. On
// failure (error filled) the old file stays as it was and no temporary file
// is left.
bool WriteFileReplacing(const CString& path, const std::string& bytes, CFileException& error);
// Removes the temporary files that saves killed before their rename left in
// the folder (a trailing backslash allowed): only names of the form the
// saves give them ("*.fpl.saving").
void RemoveSaveLeftovers(const CString& folder);
