#pragma once
#include <stdexcept>
#include <string>

// A file operation that failed. Carries the system's error text; the
// application shows it once, at its event boundary, in the standard error box.
class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& message) : std::runtime_error(message) {}
    // "<file>: <strerror(errnum)>"
    static FileError fromErrno(const std::string& fileName, int errnum);
};
