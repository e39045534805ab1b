#pragma once
// File-type filters are kept in the string table in the classic form
// "Name (*.a)|*.a|Other|*.b;*.c||": pairs of display name and patterns
// separated by bars, ended by a double bar. QFileDialog wants one entry per
// pair with the patterns in parentheses.

#include <QStringList>
#include <string_view>

// One name filter per pair, in order. A display name that already ends with
// its own patterns in parentheses is kept as it is; otherwise the patterns are
// appended. A pair without patterns is dropped.
QStringList ConvertFileFilter(std::string_view filter);
