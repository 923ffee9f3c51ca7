// Prepared statements of one connection keyed by their SQL text, the least
// recently used finalized when the cache is full. A statement keeps its
// entry while it is lent out, so a use allocates nothing.
#pragma once

#include <sqlite3.h>

#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zazorazari::engine {

class StatementCache {
 public:
  struct Entry {
    std::string sql;
    sqlite3_stmt* stmt;
    bool lent;
  };

  explicit StatementCache(size_t capacity) : m_capacity(capacity) {}
  ~StatementCache();
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // The entry for `sql`, now lent out; null when there is none or it is
  // lent out already (a nested use of the same text).
  Entry* Take(std::string_view sql);
  // Keeps a statement just prepared for `sql`, lent out. Null when the text
  // has an entry already: the caller then owns and finalizes `stmt`.
  Entry* Add(std::string_view sql, sqlite3_stmt* stmt);
  // Takes back a lent entry, its statement reset by the caller.
  void Return(Entry* entry);
  // Finalizes a lent entry's statement and forgets the entry.
  void Discard(Entry* entry);
  // Finalizes every statement not lent out.
  void Clear();
  size_t Size() const { return m_entries.size(); }

 private:
  using Entries = std::list<Entry>;
  Entries::iterator Position(Entry* entry);
  void Erase(Entries::iterator entry);

  Entries m_entries;  // most recently used first
  std::unordered_map<std::string_view, Entries::iterator> m_index;  // keys view Entry::sql
  size_t m_capacity;
};

}  // namespace zazorazari::engine
