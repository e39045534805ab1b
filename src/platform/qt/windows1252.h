#pragma once
// Documents and the string table hold Windows-1252 bytes; Qt holds Unicode.
// Texts cross between the two only here.

#include <QString>
#include <string>
#include <string_view>

// Every byte maps to one character. The five bytes that Windows-1252 leaves
// undefined map to the control characters of the same value, so that they
// survive a round trip unchanged.
QString FromWindows1252(std::string_view bytes);

// Every character becomes one byte; a character that Windows-1252 cannot hold
// becomes '?'.
std::string ToWindows1252(const QString& text);

// String `id` of the string table.
QString ResText(int id);
