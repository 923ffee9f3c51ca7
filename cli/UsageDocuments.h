// The man page and the bash completion, written from the command line's own
// definitions (commands, arguments, options, choices, examples).
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace zazorazari::cli {

std::string ManPage(const CLI::App& app);
std::string BashCompletion(const CLI::App& app);

}  // namespace zazorazari::cli
