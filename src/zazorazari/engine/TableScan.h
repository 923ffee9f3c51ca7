// Reads chosen columns of every row of a table in one pass, in row id order
// (the order a recordset on the table walks it), each value typed by its
// column as a recordset field reads it: whole-table exports.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "zazorazari/engine/Statement.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari::engine {

class Connection;
class Database;

class TableScan {
 public:
  // Fails as a recordset on the table fails: 3265 for a table that does not
  // exist (Engine.Database) or a column it does not have (Engine.Recordset).
  TableScan(Database& db, const std::string& table, const std::vector<const char*>& columns);

  // Moves to the next row; false after the last.
  bool Next();
  // The current row's value of the i-th chosen column.
  Variant Value(size_t i) const;

 private:
  std::shared_ptr<Connection> m_connection;
  std::vector<int32_t> m_types;
  std::optional<Statement> m_stmt;
};

}  // namespace zazorazari::engine
