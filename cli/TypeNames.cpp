// Type arguments checked against the library's registry.
#include "TypeNames.h"

#include <algorithm>
#include <vector>

#include "Suggestion.h"
#include <zazorazari/database/CDatabase.h>
#include <zazorazari/database/HostChecks.h>

namespace zazorazari::cli {

namespace {

std::vector<std::string> CollectionNames() {
  std::vector<std::string> names;
  for (const auto& [name, member] : CollectionTypeNames()) names.push_back(name);
  return names;
}

CLI::Validator OneOf(std::vector<std::string> names, const std::string& what) {
  return CLI::Validator(
      [names, what](std::string& type) {
        if (std::find(names.begin(), names.end(), type) != names.end()) return std::string();
        return "'" + type + "' is not a " + what + "." + DidYouMean(type, names);
      },
      "", "");
}

}  // namespace

void AddTypeOption(CLI::App* sub, std::string& type, const std::string& description) {
  sub->add_option("TYPE", type, description)
      ->required()
      ->check(OneOf(DataObjectTypeNames(), "data object type"));
}

void AddCollectionTypeOption(CLI::App* sub, std::string& type) {
  sub->add_option("TYPE", type, "docTaskTurnpoint or docPilotAttribute")
      ->required()
      ->check(OneOf(CollectionNames(), "collection type"));
}

}  // namespace zazorazari::cli
