#include "platform/errors.h"

#include <new>
#include <utility>

namespace platform {

const char* errorDescription(int number) {
    switch (number) {
    case err::InvalidCall:
        return "Invalid procedure call or argument";
    case err::Overflow:
        return "Overflow";
    case err::OutOfMemory:
        return "Out of memory";
    case err::SubscriptOutOfRange:
        return "Subscript out of range";
    case err::DivisionByZero:
        return "Division by zero";
    case err::TypeMismatch:
        return "Type mismatch";
    case err::FileNotFound:
        return "File not found";
    case err::InputPastEnd:
        return "Input past end of file";
    case err::PathFileAccess:
        return "Path/File access error";
    case err::PathNotFound:
        return "Path not found";
    case err::InvalidPropertyValue:
        return "Invalid property value";
    case err::InvalidPicture:
        return "Invalid picture";
    case err::DialogCancelled:
        return "Cancel was selected";
    default:
        return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, std::string()) {}

RuntimeError::RuntimeError(int number, std::string detail)
    : m_number(number), m_detail(std::move(detail)),
      m_what("Error " + std::to_string(number) + ": " + errorDescription(number)) {
    if (!m_detail.empty())
        m_what += " (" + m_detail + ")";
}

void raiseError(int number) {
    throw RuntimeError(number);
}

int errorNumberOf(std::exception_ptr error) noexcept {
    try {
        std::rethrow_exception(std::move(error));
    } catch (const RuntimeError& e) {
        return e.number();
    } catch (const std::bad_alloc&) {
        return err::OutOfMemory;
    } catch (...) {
        return err::InvalidCall;
    }
}

} // namespace platform
