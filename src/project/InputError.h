#pragma once
// Errors in files and fields the user supplied. The message names the file and,
// where there is one, the line (1-based) or the field, so that a caller can print
// "FILE:LINE: what is wrong" and go on living. what() is English; render() gives the
// same in either language.

#include "project/ErrorTexts.h"

#include <stdexcept>
#include <string>

namespace penumbro {

class InputError : public std::runtime_error {
public:
    // line: 1-based line number, 0 when the error concerns the whole file or a field.
    InputError(std::string file, int line, ErrorMessage what);
    explicit InputError(ErrorMessage what) : InputError({}, 0, std::move(what)) {}

    const std::string& file() const { return file_; }
    int line() const { return line_; }
    // The English text without file and line.
    const std::string& message() const { return message_; }
    const ErrorMessage& detail() const { return detail_; }
    // "FILE:LINE: what" with what in the language.
    std::string render(Language language) const;

private:
    std::string file_;
    int line_;
    std::string message_;
    ErrorMessage detail_;
};

}  // namespace penumbro
