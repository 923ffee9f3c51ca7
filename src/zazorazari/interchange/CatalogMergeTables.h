// The tables the catalogue merge brings over, in the order that puts every
// referred-to table before the tables that refer to it, with the natural
// keys the rules use to tell two rows for one thing.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "zazorazari/platform/Variant.h"

namespace zazorazari {

namespace engine {
class Database;
}

namespace interchange {

// A row's column values by column name.
using MergeRow = std::map<std::string, Variant>;

struct NaturalKey {
  std::vector<const char*> exact;         // equal; NULL matches NULL
  std::vector<const char*> lenient = {};  // equal, or NULL in the target
  bool onlyWhenSet = false;               // not searched when the first exact column is NULL
};

struct MergeTable {
  const char* table;
  std::vector<NaturalKey> keys;  // searched in order; the first that finds a row decides
  bool readOnly = false;         // matched only: never added nor overwritten
  std::vector<const char*> derived = {};  // columns the target derives itself: never copied
  std::vector<const char*> unique = {};   // columns no two rows may share
  const char* searchSource = nullptr;     // a view to search instead of the table
  // Adds the values that the natural key needs and the table lacks.
  std::function<void(engine::Database& target, MergeRow& row)> completeRow = {};
};

const std::vector<MergeTable>& CatalogMergeTables();

}  // namespace interchange
}  // namespace zazorazari
