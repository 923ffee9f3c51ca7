// Single-byte text from older Windows programs: telling it from UTF-8 and
// converting it, so that waypoint names with umlauts survive either encoding.
#pragma once

#include <string>
#include <string_view>

namespace zazorazari::interchange {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// Each byte as its Windows-1252 character, in UTF-8. The five bytes the code
// page leaves unassigned become the C1 control characters of the same value,
// as Windows converts them.
std::string Windows1252ToUtf8(std::string_view text);

// The inverse, for files that older programs read: each character as its
// Windows-1252 byte, "?" for one the code page lacks. The text must be
// valid UTF-8.
std::string Utf8ToWindows1252(std::string_view text);

}  // namespace zazorazari::interchange
