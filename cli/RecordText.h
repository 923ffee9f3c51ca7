// One field value per line in the record text form: a backslash, a line
// feed and a carriage return inside a value are escaped (\\, \n, \r), so
// `get` output fed to `add` gives back every value. The first "=" of a line
// ends the name; later ones belong to the value.
#pragma once

#include <string>

namespace zazorazari::cli {

std::string EscapeFieldText(const std::string& text);

// The reverse; a backslash before any other character stays as it is.
std::string UnescapeFieldText(const std::string& text);

}  // namespace zazorazari::cli
