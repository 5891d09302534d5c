#include "platform/numeric.h"

#include "platform/errors.h"

#include <cmath>
#include <limits>

namespace platform {

namespace {

template <typename Int> Int narrowChecked(std::int64_t value) {
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        raiseError(err::Overflow);
    return static_cast<Int>(value);
}

template <typename Int> Int roundChecked(double value) {
    const double rounded = roundHalfEven(value);
    // The comparison is false for NaN, so NaN is refused as well.
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max())))
        raiseError(err::Overflow);
    return static_cast<Int>(rounded);
}

} // namespace

std::int16_t toInt16(std::int64_t value) {
    return narrowChecked<std::int16_t>(value);
}
std::int32_t toInt32(std::int64_t value) {
    return narrowChecked<std::int32_t>(value);
}

std::int16_t add16(std::int32_t a, std::int32_t b) {
    return toInt16(std::int64_t{a} + std::int64_t{b});
}
std::int16_t sub16(std::int32_t a, std::int32_t b) {
    return toInt16(std::int64_t{a} - std::int64_t{b});
}
std::int16_t mul16(std::int32_t a, std::int32_t b) {
    return toInt16(std::int64_t{a} * std::int64_t{b});
}

std::int32_t add32(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        raiseError(err::Overflow);
    return toInt32(sum);
}
std::int32_t sub32(std::int64_t a, std::int64_t b) {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(a, b, &difference))
        raiseError(err::Overflow);
    return toInt32(difference);
}
std::int32_t mul32(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        raiseError(err::Overflow);
    return toInt32(product);
}

double roundHalfEven(double value) {
    if (!std::isfinite(value))
        return value;
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::int16_t roundToInt16(double value) {
    return roundChecked<std::int16_t>(value);
}
std::int32_t roundToInt32(double value) {
    return roundChecked<std::int32_t>(value);
}

std::int32_t divTrunc32(std::int32_t dividend, std::int32_t divisor) {
    if (divisor == 0)
        raiseError(err::DivisionByZero);
    return toInt32(std::int64_t{dividend} / std::int64_t{divisor});
}

std::int16_t divTrunc16(std::int16_t dividend, std::int16_t divisor) {
    if (divisor == 0)
        raiseError(err::DivisionByZero);
    return toInt16(std::int64_t{dividend} / std::int64_t{divisor});
}

std::int32_t centred(double extent, double size) {
    return divTrunc32(roundToInt32(extent - size), 2);
}

} // namespace platform
