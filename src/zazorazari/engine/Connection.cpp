// Opening, configuring and closing an SQLite connection.
#include "zazorazari/engine/Connection.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/engine/ValueBinding.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

namespace {

constexpr int kBusyTimeoutMs = 5000;

// Runs a statement on a raw handle; the SQLite result code.
int RunPlain(sqlite3* db, const char* sql) {
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
  if (rc == SQLITE_OK) {
    do rc = sqlite3_step(stmt);
    while (rc == SQLITE_ROW);
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
  }
  sqlite3_finalize(stmt);
  return rc;
}

// Leaves write-ahead logging, which another program may have switched on:
// that takes the file to itself, so it waits like any other lock, up to the
// busy timeout, then answers SQLITE_BUSY.
int UseRollbackJournal(sqlite3* db) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kBusyTimeoutMs);
  for (;;) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA journal_mode=DELETE", -1, &stmt, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
    // The pragma answers with the mode in force, which stays "wal" while
    // another connection has the file open.
    const bool switched =
        rc == SQLITE_ROW && sqlite3_strnicmp(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "delete", 6) == 0;
    sqlite3_finalize(stmt);
    if (switched) return SQLITE_OK;
    if (rc != SQLITE_ROW && (rc & 0xff) != SQLITE_BUSY && (rc & 0xff) != SQLITE_LOCKED) return rc;
    if (Clock::now() >= deadline) return SQLITE_BUSY;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

bool FolderWritable(const std::filesystem::path& file) {
  std::filesystem::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  return access(folder.c_str(), W_OK) == 0;
}

}  // namespace

std::shared_ptr<Connection> Connection::Open(const std::string& path, const char* source) {
  std::error_code ec;
  const std::filesystem::path file(path);
  if (!std::filesystem::is_regular_file(file, ec)) throw EngineError(errEngineFileNotFound, source, path);
  // A file of the engine's format always has a header; SQLite would take an
  // empty file for an empty database.
  if (std::filesystem::file_size(file, ec) == 0) throw EngineError(errEngineUnrecognizedFormat, source, path);

  sqlite3* db = nullptr;
  // A connection is used by one thread at a time, so SQLite's own locking
  // of every call is left out.
  int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  auto fail = [&](int number) {
    sqlite3_close(db);
    return EngineError(number, source, path);
  };
  if (rc != SQLITE_OK) throw fail((rc & 0xff) == SQLITE_NOTADB ? errEngineUnrecognizedFormat : errEngineCannotOpen);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  // Views and indexes of a file from elsewhere may call no function with
  // side effects.
  sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  // Reading the schema now makes a file that is no database fail at open.
  rc = RunPlain(db, "SELECT count(*) FROM sqlite_master");
  if (rc != SQLITE_OK) {
    const int code = rc & 0xff;
    throw fail(code == SQLITE_NOTADB || code == SQLITE_CORRUPT ? errEngineUnrecognizedFormat : errEngineCannotOpen);
  }
  if (sqlite3_db_readonly(db, "main") == 1 || !FolderWritable(file)) throw fail(errEngineCannotOpen);
  rc = UseRollbackJournal(db);
  if (rc == SQLITE_OK) rc = RunPlain(db, "PRAGMA synchronous=FULL");
  // A big import changes more pages than SQLite's default 2 MB cache holds;
  // a full cache spills them to the file (a journal sync each time) before
  // the commit. The cache takes memory only as pages are read.
  if (rc == SQLITE_OK) rc = RunPlain(db, "PRAGMA cache_size=-65536");
  if (rc == SQLITE_OK) rc = RunPlain(db, "PRAGMA temp_store=MEMORY");
  if (rc != SQLITE_OK) throw fail((rc & 0xff) == SQLITE_NOTADB ? errEngineUnrecognizedFormat : errEngineCannotOpen);
  return std::shared_ptr<Connection>(new Connection(db, path));
}

Connection::Connection(sqlite3* db, std::string path) : m_db(db), m_path(std::move(path)) {}

Connection::~Connection() { Close(); }

void Connection::Close() {
  if (m_db == nullptr) return;
  m_cache.Clear();
  sqlite3_close_v2(m_db);
  m_db = nullptr;
}

void Connection::CheckOpen(const char* source) const {
  if (m_db == nullptr) throw ObjectClosedError(source);
}

Statement Connection::Prepare(std::string_view sql, const char* source, const std::string& detail) {
  CheckOpen(source);
  if (StatementCache::Entry* entry = m_cache.Take(sql)) return Statement(*this, entry, entry->stmt, source, detail);
  sqlite3_stmt* stmt = nullptr;
  const int rc =
      sqlite3_prepare_v3(m_db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt);
    throw ErrorFor(rc, source, detail);
  }
  return Statement(*this, m_cache.Add(sql, stmt), stmt, source, detail);
}

void Connection::Run(const SqlText& sql, const char* source, const std::string& detail) {
  Statement stmt = Prepare(sql.sql, source, detail);
  stmt.Bind(sql.params);
  while (stmt.Step()) {
  }
}

void Connection::ReturnStatement(StatementCache::Entry* entry, sqlite3_stmt* stmt) {
  if (m_db != nullptr && entry != nullptr) {
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    m_cache.Return(entry);
  } else if (entry != nullptr) {
    m_cache.Discard(entry);  // the connection closed meanwhile
  } else {
    sqlite3_finalize(stmt);
  }
}

Error Connection::ErrorFor(int rc, const char* source, const std::string& detail) const {
  return SqliteError(m_db, rc, source, detail, m_path);
}

}  // namespace zazorazari::engine
