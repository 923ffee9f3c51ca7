// A prepared statement lent out by a connection for one use: bind, step,
// read; it goes back to the connection's cache, reset, when the lease ends.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include "zazorazari/engine/StatementCache.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari::engine {

class Connection;

class Statement {
 public:
  // `source` and `detail` (the caller's query text) name a failure; without
  // a cache entry the statement is the lease's own.
  Statement(Connection& connection, StatementCache::Entry* entry, sqlite3_stmt* stmt, const char* source,
            std::string detail);
  ~Statement();
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&&) = delete;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void Bind(const std::vector<Variant>& params);
  // Binds one value to the 1-based parameter `index`.
  void Bind(int index, const Variant& value);
  // True on a row, false when done; a failure raises the engine's error.
  bool Step();
  // Restarts the statement with its bindings kept.
  void Rewind();

  sqlite3_stmt* Handle() const { return m_stmt; }
  sqlite3_int64 Int64(int column) const { return sqlite3_column_int64(m_stmt, column); }

 private:
  Connection* m_connection;
  StatementCache::Entry* m_entry;
  sqlite3_stmt* m_stmt;
  const char* m_source;
  std::string m_detail;
};

}  // namespace zazorazari::engine
