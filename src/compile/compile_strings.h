#pragma once
// Ids of the string-table texts of compiling.

constexpr int IDS_COMPILER_FAILED = 61490;     // the compiler failure message
constexpr int IDS_TRK_FILTER = 61491;          // file filter of the output dialog
constexpr int IDS_START_NOT_FOUND = 61500;     // warning with the number of a starting position
constexpr int IDS_START_NOT_ON_TRACK = 61501;  // likewise
