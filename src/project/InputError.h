#pragma once
// Errors in files and fields the user supplied. The message names the file and,
// where there is one, the line (1-based) or the field, so that a caller can print
// "FILE:LINE: what is wrong" and go on living.

#include <stdexcept>
#include <string>

namespace penumbro {

class InputError : public std::runtime_error {
public:
    // line: 1-based line number, 0 when the error concerns the whole file or a field.
    InputError(std::string file, int line, std::string what);
    explicit InputError(std::string what) : InputError({}, 0, std::move(what)) {}

    const std::string& file() const { return file_; }
    int line() const { return line_; }
    const std::string& message() const { return message_; }

private:
    std::string file_;
    int line_;
    std::string message_;
};

}  // namespace penumbro
