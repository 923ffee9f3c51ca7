// The INSERT, UPDATE and DELETE that a recordset's Update and Delete run on
// its table, with the changed values bound as parameters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zazorazari/platform/Variant.h"

namespace zazorazari::engine {

class Connection;
struct SchemaObject;

// Writes the rows of one recordset. A recordset that writes many rows with
// the same columns (an import) builds each statement's text once.
class RowWriter {
 public:
  // Inserts the changed columns; a counter key left NULL or 0 is assigned
  // by SQLite. Returns the new row's id.
  int64_t Insert(Connection& connection, const SchemaObject& table, const std::vector<Variant>& values,
                 const std::vector<bool>& changed);
  void Update(Connection& connection, const SchemaObject& table, const std::vector<Variant>& values,
              const std::vector<bool>& changed, int64_t rowid);

 private:
  // The columns the last statement of its kind wrote, and its text.
  std::vector<bool> m_insertColumns;
  std::string m_insertSql;
  std::vector<bool> m_updateColumns;
  std::string m_updateSql;
};

void DeleteRow(Connection& connection, const SchemaObject& table, int64_t rowid);

// A counter key value that an insert leaves to SQLite to assign: NULL or 0.
bool LeftToCounter(const Variant& value);
// "INSERT INTO table (...) VALUES (?, ...)" of the written columns, in
// column order, with `rows` rows of values ("DEFAULT VALUES" when there is
// no column).
std::string InsertSql(const SchemaObject& table, const std::vector<bool>& written, size_t rows = 1);
// "UPDATE table SET column = ?, ... WHERE rowid = ?" of the changed columns.
std::string UpdateSql(const SchemaObject& table, const std::vector<bool>& changed);

}  // namespace zazorazari::engine
