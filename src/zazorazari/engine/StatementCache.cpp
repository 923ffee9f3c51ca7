// LRU cache of prepared statements.
#include "zazorazari/engine/StatementCache.h"

namespace zazorazari::engine {

StatementCache::~StatementCache() {
  for (Entry& entry : m_entries) sqlite3_finalize(entry.stmt);
}

StatementCache::Entry* StatementCache::Take(std::string_view sql) {
  const auto found = m_index.find(sql);
  if (found == m_index.end() || found->second->lent) return nullptr;
  m_entries.splice(m_entries.begin(), m_entries, found->second);
  found->second->lent = true;
  return &*found->second;
}

StatementCache::Entry* StatementCache::Add(std::string_view sql, sqlite3_stmt* stmt) {
  if (m_index.contains(sql)) return nullptr;
  m_entries.push_front({std::string(sql), stmt, true});
  m_index.emplace(m_entries.front().sql, m_entries.begin());
  // Out goes the least recently used statement that is not lent out.
  for (auto it = m_entries.end(); m_entries.size() > m_capacity && it != m_entries.begin();) {
    --it;
    if (it->lent) continue;
    sqlite3_finalize(it->stmt);
    Erase(it);
    break;
  }
  return &m_entries.front();
}

StatementCache::Entries::iterator StatementCache::Position(Entry* entry) {
  return m_index.find(std::string_view(entry->sql))->second;
}

void StatementCache::Return(Entry* entry) { entry->lent = false; }

void StatementCache::Discard(Entry* entry) {
  sqlite3_finalize(entry->stmt);
  Erase(Position(entry));
}

void StatementCache::Erase(Entries::iterator entry) {
  m_index.erase(std::string_view(entry->sql));
  m_entries.erase(entry);
}

void StatementCache::Clear() {
  for (auto it = m_entries.begin(); it != m_entries.end();) {
    auto next = std::next(it);
    if (!it->lent) {
      sqlite3_finalize(it->stmt);
      Erase(it);
    }
    it = next;
  }
}

}  // namespace zazorazari::engine
