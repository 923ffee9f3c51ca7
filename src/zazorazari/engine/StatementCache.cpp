// LRU cache of prepared statements.
#include "zazorazari/engine/StatementCache.h"

namespace zazorazari::engine {

sqlite3_stmt* StatementCache::Take(const std::string& sql) {
  const auto found = m_index.find(sql);
  if (found == m_index.end()) return nullptr;
  sqlite3_stmt* stmt = found->second->stmt;
  m_entries.erase(found->second);
  m_index.erase(found);
  return stmt;
}

void StatementCache::Put(std::string sql, sqlite3_stmt* stmt) {
  if (m_index.count(sql) != 0) {
    sqlite3_finalize(stmt);
    return;
  }
  m_entries.push_front({sql, stmt});
  m_index.emplace(std::move(sql), m_entries.begin());
  if (m_entries.size() > m_capacity) {
    sqlite3_finalize(m_entries.back().stmt);
    m_index.erase(m_entries.back().sql);
    m_entries.pop_back();
  }
}

void StatementCache::Clear() {
  for (Entry& entry : m_entries) sqlite3_finalize(entry.stmt);
  m_entries.clear();
  m_index.clear();
}

}  // namespace zazorazari::engine
