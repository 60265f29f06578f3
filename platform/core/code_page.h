// Narrow text of the program is Windows-1252, through a fixed table of our
// own; the Linux locale never takes part. The five bytes that 1252 leaves
// unassigned map to the C1 controls of the same value, so every byte
// survives a round trip.
#pragma once

#include <string>
#include <string_view>

#include "win_types.h"

constexpr UINT CP_ACP = 0;      // the system's default code page: 1252 here
constexpr UINT CP_1252 = 1252;

wchar_t CodePageToWide(unsigned char byte);
// The byte for a character, or -1 when the code page lacks it.
int WideToCodePage(wchar_t ch);

std::wstring NarrowToWide(std::string_view narrow);
// Characters outside the code page become '?'.
std::string WideToNarrow(std::wstring_view wide);

// The platform's conversion calls as the program makes them. A length of -1
// means "up to and including the terminator"; a destination size of 0 asks
// for the needed size. Code pages other than 0 and 1252 fail with 0.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* source, int sourceLength,
                        wchar_t* destination, int destinationSize);
int WideCharToMultiByte(UINT codePage, DWORD flags, const wchar_t* source, int sourceLength,
                        char* destination, int destinationSize, const char* defaultChar,
                        BOOL* usedDefaultChar);

// Text at the host boundary (file names on disk, command-line arguments,
// text handed to the drawing library) is UTF-8.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
