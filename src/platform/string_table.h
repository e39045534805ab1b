#pragma once
// The program's own texts, kept under their resource ids. Texts are
// Windows-1252 bytes, like every text of the track files.

#include <string_view>

// The text of string `id`, or an empty view when no such string exists.
std::string_view LoadResString(int id);
