// Per-connection transactions of the component's operations: the outermost
// scope begins and commits, nested scopes join.
#include "zazorazari/engine/OperationScope.h"

#include "zazorazari/engine/Connection.h"
#include "zazorazari/engine/DatabaseImpl.h"
#include "zazorazari/engine/EngineErrors.h"

namespace zazorazari::engine {

namespace {

// Runs a transaction statement, prepared once per connection (every
// operation runs two): its result code.
int RunControl(Connection& connection, const char* sql) {
  Statement stmt = connection.Prepare(sql, kDatabaseSource, sql);
  const int rc = sqlite3_step(stmt.Handle());
  return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

}  // namespace

OperationScope::OperationScope(Database& db, bool bMayWrite) : m_connection(db.GetImpl().connection) {
  m_connection->CheckOpen(kDatabaseSource);
  int& depth = m_connection->TransactionDepth();
  if (depth == 0) {
    const int rc = RunControl(*m_connection, bMayWrite ? "BEGIN IMMEDIATE" : "BEGIN DEFERRED");
    if (rc != SQLITE_OK) throw m_connection->ErrorFor(rc, kDatabaseSource, "BEGIN");
    m_outermost = true;
  }
  ++depth;
}

OperationScope::~OperationScope() {
  try {
    End(false);
  } catch (...) {
    // A destructor never throws; End(false) rolled back already.
  }
}

void OperationScope::Commit() { End(true); }

// Closes this scope. The outermost one commits; if COMMIT fails, everything
// is rolled back and, when `raise`, the engine's error is raised.
void OperationScope::End(bool raise) {
  if (m_done) return;
  m_done = true;
  --m_connection->TransactionDepth();
  if (!m_outermost || !m_connection->IsOpen()) return;
  sqlite3* db = m_connection->Handle();
  if (sqlite3_get_autocommit(db) != 0) return;  // rolled back already
  const int rc = RunControl(*m_connection, "COMMIT");
  if (rc == SQLITE_OK) return;
  if (sqlite3_get_autocommit(db) == 0) RunControl(*m_connection, "ROLLBACK");
  if (raise) throw m_connection->ErrorFor(rc, kDatabaseSource, "COMMIT");
}

}  // namespace zazorazari::engine
