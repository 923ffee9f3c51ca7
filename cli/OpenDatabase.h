// Opens an existing database file for one command, with message boxes shown
// at the terminal.
#pragma once

#include <memory>
#include <string>

#include "TerminalUserInterface.h"
#include <zazorazari/database/CDatabase.h>

namespace zazorazari::cli {

std::unique_ptr<CDatabase> OpenDatabase(const std::string& path, PresetAnswer preset = PresetAnswer::None);

}  // namespace zazorazari::cli
