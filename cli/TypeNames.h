// The TYPE argument of the record commands, checked against the types the
// library knows: a misspelt type is a usage error with a suggestion.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace zazorazari::cli {

// A required positional TYPE that must be a data object type.
void AddTypeOption(CLI::App* sub, std::string& type, const std::string& description);

// A required positional TYPE that must be a collection type.
void AddCollectionTypeOption(CLI::App* sub, std::string& type);

}  // namespace zazorazari::cli
