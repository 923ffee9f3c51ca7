// An open database file: recordsets, DELETE statements, column definitions of
// tables and views, and the transaction of the operation in progress.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zazorazari/engine/Criteria.h"
#include "zazorazari/engine/FieldDef.h"
#include "zazorazari/engine/Recordset.h"

#pragma GCC visibility push(default)
namespace zazorazari::engine {

// An entry of the file's schema: its type ("table", "view", "index",
// "trigger") and name.
struct SchemaEntry {
  std::string type;
  std::string name;
};

class Database : public std::enable_shared_from_this<Database> {
 public:
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  const std::string& Name() const;  // the file's path

  // Source: a table name (type default dbOpenTable), a view name or a SELECT
  // (default dbOpenDynaset). Type 0 means the default.
  std::shared_ptr<Recordset> OpenRecordset(const std::string& source, int32_t type = 0);

  // Reads the row of table or view `name` that `criteria` single out (the
  // first one found, should there be more) into `row`, one value per column
  // typed by it; false when no row meets them.
  bool ReadRow(const std::string& name, const Criteria& criteria, std::vector<Variant>& row);

  // Only "DELETE * FROM table WHERE ..." is accepted.
  void Execute(const std::string& sql);

  // Column definitions of a table / of a view; 3265 when there is none.
  const std::vector<FieldDef>& TableDefs(const std::string& name);
  const std::vector<FieldDef>& QueryDefs(const std::string& name);

  // SQLite's integrity check of the file: "ok", or its findings joined by
  // "; " (the command line's `check`).
  std::string IntegrityCheck();
  // The names of the file's tables in the order they were created (the
  // engine's own bookkeeping tables left out).
  std::vector<std::string> TableNames();
  // Every table, view, index and trigger of the file but SQLite's own.
  std::vector<SchemaEntry> SchemaEntries();
  void Close();
  bool IsOpen() const;

  struct Impl;
  Impl& GetImpl() { return *m_impl; }

 private:
  friend class DBEngine;
  explicit Database(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> m_impl;
};

}  // namespace zazorazari::engine
#pragma GCC visibility pop
