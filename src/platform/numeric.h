#pragma once

// The program's arithmetic: indices, positions and counts are 16-bit, ticks and milliseconds
// 32-bit; an overflow abandons the operation with error 6 instead of wrapping; conversions of
// measured or floating values round to nearest with ties to even; integer division truncates.

#include <cstdint>

namespace platform {

// Exact range checks; throw RuntimeError(Overflow) when the value does not fit.
std::int16_t toInt16(std::int64_t value);
std::int32_t toInt32(std::int64_t value);

std::int16_t add16(std::int32_t a, std::int32_t b);
std::int16_t sub16(std::int32_t a, std::int32_t b);
std::int16_t mul16(std::int32_t a, std::int32_t b);

std::int32_t add32(std::int64_t a, std::int64_t b);
std::int32_t sub32(std::int64_t a, std::int64_t b);
std::int32_t mul32(std::int64_t a, std::int64_t b);

// Rounds to the nearest whole number, a tie going to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Not-a-number and infinities come back unchanged.
double roundHalfEven(double value);

// Floating to integer conversions: round half to even, then range-check (NaN is an overflow).
std::int16_t roundToInt16(double value);
std::int32_t roundToInt32(double value);

// Integer division truncating toward zero; a zero divisor is error 11 and a quotient that does
// not fit (INT32_MIN / -1) error 6.
std::int32_t divTrunc32(std::int32_t dividend, std::int32_t divisor);
std::int16_t divTrunc16(std::int16_t dividend, std::int16_t divisor);

// Where a window of the given size starts when centred in the given extent:
// (extent - size) rounded to a whole number, halved with the remainder dropped.
std::int32_t centred(double extent, double size);

} // namespace platform
