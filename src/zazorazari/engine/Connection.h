// One open SQLite connection: its settings, its statement cache, its schema
// catalog and the depth of the transaction in progress. Database, Recordset
// and OperationScope share it, so a recordset never outlives its handle.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

#include "zazorazari/engine/SchemaCatalog.h"
#include "zazorazari/engine/SqlText.h"
#include "zazorazari/engine/Statement.h"
#include "zazorazari/engine/StatementCache.h"
#include "zazorazari/platform/Error.h"

namespace zazorazari::engine {

class Connection {
 public:
  // Opens an existing file: 3024 missing, 3343 not a database, 3051 locked
  // or read-only (the file or its folder). Errors carry `source`.
  static std::shared_ptr<Connection> Open(const std::string& path, const char* source);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  const std::string& Path() const { return m_path; }
  bool IsOpen() const { return m_db != nullptr; }
  // Finalizes the cached statements and closes the handle (deferred by
  // SQLite until statements still lent out come back).
  void Close();
  // 3420 once closed.
  void CheckOpen(const char* source) const;

  sqlite3* Handle() const { return m_db; }
  Statement Prepare(std::string_view sql, const char* source, const std::string& detail);
  // Runs a statement that returns no rows.
  void Run(const SqlText& sql, const char* source, const std::string& detail);
  // Takes back a lent statement (a cache entry's, or its own when none).
  void ReturnStatement(StatementCache::Entry* entry, sqlite3_stmt* stmt);

  Error ErrorFor(int rc, const char* source, const std::string& detail) const;

  SchemaCatalog& Catalog() { return m_catalog; }
  int& TransactionDepth() { return m_transactionDepth; }

 private:
  Connection(sqlite3* db, std::string path);

  sqlite3* m_db;
  std::string m_path;
  StatementCache m_cache{256};
  SchemaCatalog m_catalog{*this};
  int m_transactionDepth = 0;
};

}  // namespace zazorazari::engine
