// Where the tool finds the template database and the bundled example files:
// next to an installed executable first, then in the build and source tree
// it was built from, then under the configured install prefix.
#pragma once

#include <string>

namespace zazorazari::cli {

// The folder holding template.mdb (the last candidate when none holds it,
// so that Create reports the missing file).
std::string DefaultTemplateDir();

// The path of a bundled example file such as "alps.wpt".
std::string ExampleFile(const std::string& name);

}  // namespace zazorazari::cli
