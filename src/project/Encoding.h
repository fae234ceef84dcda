#pragma once
// Project files and the program's own texts are single-byte Windows-1252. Lines
// stay raw bytes inside the core; these convert only at the boundaries (the CLI's
// arguments and output, the windows' QString).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace penumbro {

// Windows-1252 bytes to UTF-8. Bytes without a character (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control of the same value, so the conversion round-trips.
std::string cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252. Characters without a Windows-1252 byte become '?';
// malformed UTF-8 bytes are taken as Windows-1252 bytes themselves.
std::string utf8ToCp1252(std::string_view utf8);

// True when bytes are well-formed UTF-8 with at least one multi-byte sequence: a
// Windows-1252 text with letters beyond ASCII practically never is.
bool isMultiByteUtf8(std::string_view bytes);

// Well-formed UTF-8 to Windows-1252, or nothing when a character has no byte there (or
// the text is malformed); that character's code point then goes to *unheld.
std::optional<std::string> utf8ToCp1252Exact(std::string_view utf8, std::uint32_t* unheld = nullptr);

}  // namespace penumbro
