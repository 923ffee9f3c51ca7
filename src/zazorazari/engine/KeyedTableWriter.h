// Adds and overwrites the rows of one table, each row found by the value of
// one column, for imports that merge many rows: the search, the insert and
// the update are prepared once per column set and reused for every row, the
// values bound directly. Values are converted as a recordset field converts
// them, and the rows are written as a recordset's Update writes them.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "zazorazari/platform/Variant.h"

namespace zazorazari::engine {

class Connection;
class Database;
struct SchemaObject;

class KeyedTableWriter {
 public:
  // Fails as Database::OpenRecordset fails for a name that is no table or view.
  KeyedTableWriter(Database& db, const std::string& table);
  ~KeyedTableWriter();
  KeyedTableWriter(const KeyedTableWriter&) = delete;
  KeyedTableWriter& operator=(const KeyedTableWriter&) = delete;

  // The column of that name, without regard to case; -1 when there is none.
  int ColumnIndex(const char* name) const;

  // The first row (in row id order) whose column equals `value` becomes the
  // row that an overwrite writes; false when there is none.
  bool Find(int column, const Variant& value);

  // A new row with no column set, or the overwrite of the row found last.
  // A view refuses both (3027).
  void BeginNew();
  void BeginOverwrite();
  // 3421 (Engine.Field) when the value does not convert to the column.
  void Set(int column, const Variant& value);
  // Inserts the new row (a counter key left NULL or 0 is assigned by
  // SQLite) or writes the set columns of the found row; nothing when no
  // column of an overwrite was set.
  void Write();

 private:
  // One prepared statement per set of written columns.
  struct Prepared {
    std::vector<bool> columns;
    sqlite3_stmt* stmt;
  };
  sqlite3_stmt* PreparedFor(std::vector<Prepared>& cache, const std::vector<bool>& columns, bool insert);
  void Run(sqlite3_stmt* stmt, const std::vector<bool>& columns, const Variant* rowid);

  std::shared_ptr<Connection> m_connection;
  const SchemaObject& m_table;
  std::vector<sqlite3_stmt*> m_finds;  // by the searched column
  std::vector<Prepared> m_inserts;
  std::vector<Prepared> m_updates;

  bool m_new = false;
  int64_t m_found = 0;
  std::vector<Variant> m_values;
  std::vector<bool> m_set;
  std::vector<int> m_setColumns;  // to clear them for the next row
};

}  // namespace zazorazari::engine
