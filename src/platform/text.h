#pragma once

#include <string>
#include <string_view>

namespace platform {

// Unicode upper case of a UTF-8 text such as a file path; bytes that are not valid UTF-8 are
// kept as they are (Linux file names may hold any bytes).
std::string upperCase(std::string_view utf8);

// A byte string from a song file (one character per byte) as UTF-8, each byte taken as the
// code point of the same value.
std::string latin1ToUtf8(std::string_view bytes);

} // namespace platform
