// The INSERT, UPDATE and DELETE that a recordset's Update and Delete run on
// its table, with the changed values bound as parameters.
#pragma once

#include <cstdint>
#include <vector>

#include "zazorazari/platform/Variant.h"

namespace zazorazari::engine {

class Connection;
struct SchemaObject;

// Inserts the changed columns; a counter key left NULL or 0 is assigned by
// SQLite. Returns the new row's id.
int64_t InsertRow(Connection& connection, const SchemaObject& table, const std::vector<Variant>& values,
                  const std::vector<bool>& changed);
void UpdateRow(Connection& connection, const SchemaObject& table, const std::vector<Variant>& values,
               const std::vector<bool>& changed, int64_t rowid);
void DeleteRow(Connection& connection, const SchemaObject& table, int64_t rowid);

}  // namespace zazorazari::engine
