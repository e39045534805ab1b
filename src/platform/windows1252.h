#pragma once
// Texts are kept as the Windows-1252 bytes that document files hold. Only the
// rare wide strings of old files need converting into that form.

#include <string>
#include <string_view>

// UTF-16 text as Windows-1252; characters that code page cannot hold, and
// unpaired surrogates, become '?'.
std::string Utf16ToWindows1252(std::u16string_view text);
