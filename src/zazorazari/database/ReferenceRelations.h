// The references between tables, written once: every reference column, the
// table it points into, and whether a row without its target is worthless
// (an owned row: removed by a repair) or merely loses an optional link
// (cleared). The audit, the repair, the catalogue merge and the refusals of
// hosts all read this list.
#pragma once

#include <string>
#include <vector>

#include "zazorazari/platform/Variant.h"

namespace zazorazari {

namespace engine {
class Database;
}

enum class ReferenceKind { Owner, Optional };

struct ReferenceRelation {
  const char* table;   // the referring table
  const char* column;  // its reference column
  const char* target;  // the table referred to (by its first column)
  ReferenceKind kind;
};

const std::vector<ReferenceRelation>& ReferenceRelations();

// Whether a reference column's value refers to a row: NULL and 0 stand for
// none.
bool RefersToARow(const Variant& value);

// The table a data object type writes, for the types whose records carry
// reference columns or are referred to; "" for the others.
std::string BaseTableOf(const std::string& strType);

// The first column of a table: its key.
std::string KeyColumnOf(engine::Database& db, const std::string& table);

}  // namespace zazorazari
