#pragma once
// The program keeps its texts as Windows-1252 bytes; Qt wants Unicode. These
// convert at the boundary.

#include <QString>
#include <string>
#include <string_view>

QString FromWin1252(std::string_view text);
