// Prepared statements of one connection keyed by their SQL text, the least
// recently used finalized when the cache is full.
#pragma once

#include <sqlite3.h>

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>

namespace zazorazari::engine {

class StatementCache {
 public:
  explicit StatementCache(size_t capacity) : m_capacity(capacity) {}
  ~StatementCache() { Clear(); }
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // The cached statement for `sql`, now owned by the caller; null when none.
  sqlite3_stmt* Take(const std::string& sql);
  // Takes back a statement that was reset; a second one for the same text
  // is finalized.
  void Put(std::string sql, sqlite3_stmt* stmt);
  void Clear();
  size_t Size() const { return m_entries.size(); }

 private:
  struct Entry {
    std::string sql;
    sqlite3_stmt* stmt;
  };
  std::list<Entry> m_entries;  // most recently used first
  std::unordered_map<std::string, std::list<Entry>::iterator> m_index;
  size_t m_capacity;
};

}  // namespace zazorazari::engine
