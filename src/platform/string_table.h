#pragma once
// The program's own texts, kept under their resource ids. Texts are
// Windows-1252 bytes, like every text of the track files.

#include <initializer_list>
#include <string>
#include <string_view>

// The text of string `id`, or an empty view when no such string exists.
std::string_view LoadResString(int id);

// String `id` with %1, %2 … replaced by `args` in order of their numbers; a
// placeholder without an argument stays as it is.
std::string FormatResString(int id, std::initializer_list<std::string_view> args);
