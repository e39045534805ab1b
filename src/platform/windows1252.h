#pragma once
// Texts are kept as the Windows-1252 bytes that document files hold; these
// convert them at the edges (wide strings of old files, the user interface).

#include <string>
#include <string_view>

// UTF-16 text as Windows-1252; characters that code page cannot hold, and
// unpaired surrogates, become '?'.
std::string Utf16ToWindows1252(std::u16string_view text);

// The UTF-16 text of Windows-1252 bytes; every byte maps to one code unit.
std::u16string Windows1252ToUtf16(std::string_view bytes);

// The UTF-8 text of Windows-1252 bytes, for output outside the Qt layer.
std::string Windows1252ToUtf8(std::string_view bytes);
