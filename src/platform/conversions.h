#pragma once

// The text forms of numbers and booleans in the settings store. Numbers use "." as the decimal
// separator whatever the user's locale, so a settings file means the same everywhere. Readers
// throw RuntimeError: TypeMismatch (13) for a text that is no value of the type, Overflow (6)
// for a value outside its range.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A decimal number ("-12", " 9.75 ", "1e3") rounded half to even, or "&H" and up to eight
// hexadecimal digits taken as a 32-bit pattern.
std::int16_t textToInt16(std::string_view text);
std::int32_t textToInt32(std::string_view text);
// "True" or "False" in any letter case, or a number: 0 is false, anything else true.
bool textToBool(std::string_view text);
float textToSingle(std::string_view text);

// Plain signed decimal without a leading space.
std::string integerText(std::int64_t value);
// "True" or "False".
std::string boolText(bool value);
// The value to four decimal places (halves to even) without trailing zeros: "8", "9.75".
std::string fontSizeText(double points);
// The shortest decimal text that reads back as the same single-precision value.
std::string singleText(float value);

} // namespace platform
