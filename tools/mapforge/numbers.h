#pragma once
// The two number formats of the compiler input: whole numbers ("%d") and
// fixed-point lengths ("%f", read back exactly into thousandths).

#include <cstdint>
#include <string_view>

namespace mapforge {

// An optional minus sign and decimal digits, within 32 bits.
bool ParseWholeNumber(std::string_view text, std::int32_t& value);

// An optional minus sign, digits, and optionally a period and digits; rounded
// half away from zero to thousandths, which must fit 32 bits.
bool ParseThousandths(std::string_view text, std::int32_t& value);

}  // namespace mapforge
