#pragma once
// Lengths, levels, elevations and angles are stored in thousandths and shown
// to the user with three decimals.

#include <string>

// "%.3f" of value × 0.001; empty for SEL_VALUE_NONE and SEL_VALUE_MIXED.
// Always with a decimal point, whatever the user's locale.
std::string FormatLength(int value);

// Reads one number from the start of `text` (leading blanks and a sign
// allowed, trailing characters ignored), multiplies it by 1000, truncates it
// toward zero and clamps it to [nMin, nMax]. Text without a number, and NaN,
// give SEL_VALUE_MIXED, which changes nothing; infinities clamp.
int ParseLength(const std::string& text, int nMin, int nMax);
