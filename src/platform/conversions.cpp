#include "platform/conversions.h"

#include "platform/errors.h"
#include "platform/numeric.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace platform {

namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

double hexadecimalValue(std::string_view digits) {
    if (digits.empty())
        raiseError(err::TypeMismatch);
    std::uint64_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (end != digits.data() + digits.size())
        raiseError(err::TypeMismatch);
    if (error == std::errc::result_out_of_range || value > 0xFFFFFFFFu)
        raiseError(err::Overflow);
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Checks the shape of a decimal number first: from_chars alone would take "inf", "nan" and
// hexadecimal floats, which are no numbers here.
bool isDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

// Roughly where the leading digit of a well-formed, unsigned decimal number stands: positive for
// a number of at least 1, zero or negative for a fraction (or zero).
long long decimalExponent(std::string_view text) {
    std::size_t i = 0;
    long long magnitude = 0;
    bool significant = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        significant = significant || text[i] != '0';
        if (significant)
            ++magnitude;
    }
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]) && !significant; ++i) {
            if (text[i] != '0')
                significant = true;
            else
                --magnitude;
        }
    while (i < text.size() && text[i] != 'e' && text[i] != 'E')
        ++i;
    if (!significant)
        return 0;
    if (i < text.size()) {
        long long exponent = 0;
        std::string_view digits = text.substr(i + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
            digits.remove_prefix(1);
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        if (error == std::errc::result_out_of_range)
            exponent = std::numeric_limits<long long>::max() / 2;
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

double numberValue(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() >= 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h'))
        return hexadecimalValue(text.substr(2));
    if (!isDecimalNumber(text))
        raiseError(err::TypeMismatch);
    const bool negative = text.front() == '-';
    if (text.front() == '+' || text.front() == '-')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small rounds to zero; too large does not fit anywhere.
        if (decimalExponent(text) <= 0)
            return 0.0;
        raiseError(err::Overflow);
    }
    if (error != std::errc() || end != text.data() + text.size())
        raiseError(err::TypeMismatch);
    return negative ? -value : value;
}

} // namespace

std::int16_t textToInt16(std::string_view text) {
    return roundToInt16(numberValue(text));
}

std::int32_t textToInt32(std::string_view text) {
    return roundToInt32(numberValue(text));
}

bool textToBool(std::string_view text) {
    const std::string_view word = trimBlanks(text);
    if (equalsIgnoringCase(word, "True"))
        return true;
    if (equalsIgnoringCase(word, "False"))
        return false;
    return numberValue(word) != 0.0;
}

float textToSingle(std::string_view text) {
    const double value = numberValue(text);
    if (std::abs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        raiseError(err::Overflow);
    return static_cast<float>(value);
}

std::string integerText(std::int64_t value) {
    return std::to_string(value);
}

std::string boolText(bool value) {
    return value ? "True" : "False";
}

std::string fontSizeText(double points) {
    const double tenThousandths = roundHalfEven(points * 10000.0);
    if (!(std::abs(tenThousandths) < 9.0e18))
        raiseError(err::Overflow);
    const auto scaled = static_cast<std::int64_t>(tenThousandths);
    const std::uint64_t magnitude =
        scaled < 0 ? std::uint64_t(0) - std::uint64_t(scaled) : std::uint64_t(scaled);
    std::string text = std::to_string(magnitude / 10000);
    if (scaled < 0)
        text.insert(text.begin(), '-');
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty())
        text += "." + fraction;
    return text;
}

std::string singleText(float value) {
    if (!std::isfinite(value))
        raiseError(err::Overflow);
    if (value == 0.0f)
        return "0";
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc())
        raiseError(err::Overflow);
    return std::string(buffer, end);
}

} // namespace platform
