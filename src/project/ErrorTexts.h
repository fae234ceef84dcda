#pragma once
// The core's error messages as an identity and its arguments, rendered in either
// language from one table, so each front-end shows them in its own language.

#include "project/Language.h"

#include <string>
#include <vector>

namespace penumbro {

enum class ErrorId {
    Plain,  // a finished English text that has no German version yet
    ReadDirectory,
    CannotOpen,   // reason
    CannotRead,
    CannotWrite,  // reason
    CannotWriteFile,
    ParameterFileSize,  // expected bytes, actual bytes
    SurfaceCountNotInteger,  // quoted line
    SurfaceCountRange,       // maximum, count
    VertexCountNotInteger,   // quoted name, quoted line
    VertexCountRange,        // quoted name, count
    VertexNotThreeNumbers,   // vertex number, quoted name, quoted line
    CoordinateRange,         // quoted line
    TreeTooLong,
    HouseTooLong,
    EndsBeforeSurfaceCount,
    EndsBeforeSurfaceName,
    EndsBeforeVertexCount,   // quoted name
    EndsBeforeVertex,        // quoted name
    FoliageLine,             // the line
    ReflectanceLine,         // the line
    SiteLine,                // the line
    LatitudeRange,           // limit, value
    LongitudeRange,          // limit, value
    CorrectionRange,         // limit, value
    Count  // the number of identities; keep it last
};

// One message: its identity and arguments (Windows-1252 bytes; paths as given).
struct ErrorMessage {
    ErrorId id = ErrorId::Plain;
    std::vector<std::string> args;  // for Plain, the text itself

    ErrorMessage() = default;
    ErrorMessage(std::string text) : args{std::move(text)} {}  // NOLINT: any text is a message
    ErrorMessage(const char* text) : args{text} {}             // NOLINT
    ErrorMessage(ErrorId identity, std::vector<std::string> arguments)
        : id(identity), args(std::move(arguments)) {}

    // The text in the language (Windows-1252); English is the text the core has
    // always written.
    std::string render(Language language) const;
};

}  // namespace penumbro
