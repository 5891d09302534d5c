#pragma once

#include <exception>
#include <string>

namespace platform {

// Run-time error numbers, as the rest of the program and its messages know them.
namespace err {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int InputPastEnd = 62;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int InvalidPicture = 481;
inline constexpr int DialogCancelled = 32755;
} // namespace err

// The short description that goes with an error number ("Overflow" for 6).
const char* errorDescription(int number);

// A run-time error: abandons the operation in progress and carries its number to whoever
// handles errors there (a continue-on-error step, a command-line mode, a handler's guard).
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, std::string detail);

    int number() const noexcept { return m_number; }
    const std::string& detail() const noexcept { return m_detail; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    int m_number;
    std::string m_detail;
    std::string m_what;
};

[[noreturn]] void raiseError(int number);

// The error number of an exception caught with catch (...): its own number for a RuntimeError,
// OutOfMemory for an allocation failure, InvalidCall for anything else.
int errorNumberOf(std::exception_ptr error) noexcept;

} // namespace platform
