// Opens an existing database file for one command, with message boxes shown
// at the terminal; and the check that names a missing input file before the
// library's error could name a different one.
#pragma once

#include <memory>
#include <string>

#include "TerminalUserInterface.h"
#include <zazorazari/database/CDatabase.h>

namespace zazorazari::cli {

// Refuses a path that is no readable file: "<what> 'path' does not exist."
void RequireInputFile(const std::string& path, const std::string& what);

// A missing file fails in OpenDB, with the path in its message.
std::unique_ptr<CDatabase> OpenDatabase(const std::string& path, PresetAnswer preset = PresetAnswer::None);

}  // namespace zazorazari::cli
