// Transactions and savepoints of the all-or-nothing scopes.
#include "zazorazari/engine/AtomicScope.h"

#include "zazorazari/engine/DatabaseImpl.h"
#include "zazorazari/engine/EngineErrors.h"

namespace zazorazari::engine {

namespace {

int RunControl(sqlite3* db, const std::string& sql) { return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr); }

// SQLite ends a transaction by itself after some failures (a full disk):
// there is then nothing left to commit or undo.
bool TransactionGone(sqlite3* db) { return sqlite3_get_autocommit(db) != 0; }

}  // namespace

AtomicScope::AtomicScope(Database& db) : m_connection(db.GetImpl().connection) {
  m_connection->CheckOpen(kDatabaseSource);
  int& depth = m_connection->TransactionDepth();
  sqlite3* handle = m_connection->Handle();
  if (depth > 0 && !TransactionGone(handle)) m_savepoint = "zaz_atomic_" + std::to_string(depth);
  const std::string begin = m_savepoint.empty() ? "BEGIN IMMEDIATE" : "SAVEPOINT " + m_savepoint;
  const int rc = RunControl(handle, begin);
  if (rc != SQLITE_OK) throw m_connection->ErrorFor(rc, kDatabaseSource, "BEGIN");
  ++depth;
}

AtomicScope::~AtomicScope() {
  try {
    Rollback();
  } catch (...) {
    // A destructor never throws; undoing failed only if SQLite undid it all.
  }
}

void AtomicScope::Leave() {
  m_done = true;
  --m_connection->TransactionDepth();
}

void AtomicScope::Commit() {
  if (m_done) return;
  Leave();
  if (!m_connection->IsOpen()) return;
  sqlite3* db = m_connection->Handle();
  if (TransactionGone(db)) return;
  const int rc = RunControl(db, m_savepoint.empty() ? "COMMIT" : "RELEASE " + m_savepoint);
  if (rc == SQLITE_OK) return;
  if (m_savepoint.empty()) {
    if (!TransactionGone(db)) RunControl(db, "ROLLBACK");
  } else {
    RunControl(db, "ROLLBACK TO " + m_savepoint);
  }
  throw m_connection->ErrorFor(rc, kDatabaseSource, "COMMIT");
}

void AtomicScope::Rollback() {
  if (m_done) return;
  Leave();
  if (!m_connection->IsOpen()) return;
  sqlite3* db = m_connection->Handle();
  if (TransactionGone(db)) return;
  if (m_savepoint.empty()) {
    RunControl(db, "ROLLBACK");
  } else {
    RunControl(db, "ROLLBACK TO " + m_savepoint);
    RunControl(db, "RELEASE " + m_savepoint);
  }
}

}  // namespace zazorazari::engine
