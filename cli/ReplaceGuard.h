// The tool replaces an existing file (create, rename and every export) only
// when the command line says --force, so a mistyped name never destroys one.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace zazorazari::cli {

void AddForceFlag(CLI::App* command, bool& force, const std::string& what);

// Fails when something stands at `path` (a dangling link too) and `force` is false.
void RefuseToReplace(const std::string& path, bool force);

}  // namespace zazorazari::cli
