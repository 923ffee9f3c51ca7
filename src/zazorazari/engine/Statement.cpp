// Leased prepared statements.
#include "zazorazari/engine/Statement.h"

#include <utility>

#include "zazorazari/engine/Connection.h"
#include "zazorazari/engine/ValueBinding.h"

namespace zazorazari::engine {

Statement::Statement(Connection& connection, StatementCache::Entry* entry, sqlite3_stmt* stmt, const char* source,
                     std::string detail)
    : m_connection(&connection), m_entry(entry), m_stmt(stmt), m_source(source), m_detail(std::move(detail)) {}

Statement::Statement(Statement&& other) noexcept
    : m_connection(other.m_connection),
      m_entry(other.m_entry),
      m_stmt(std::exchange(other.m_stmt, nullptr)),
      m_source(other.m_source),
      m_detail(std::move(other.m_detail)) {}

Statement::~Statement() {
  if (m_stmt != nullptr) m_connection->ReturnStatement(m_entry, m_stmt);
}

void Statement::Bind(const std::vector<Variant>& params) {
  for (size_t i = 0; i < params.size(); ++i) Bind(static_cast<int>(i + 1), params[i]);
}

void Statement::Bind(int index, const Variant& value) {
  const int rc = BindValue(m_stmt, index, value);
  if (rc != SQLITE_OK) throw m_connection->ErrorFor(rc, m_source, m_detail);
}

bool Statement::Step() {
  const int rc = sqlite3_step(m_stmt);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  throw m_connection->ErrorFor(rc, m_source, m_detail);
}

void Statement::Rewind() { sqlite3_reset(m_stmt); }

}  // namespace zazorazari::engine
