// Test databases from the built template, and raw SQL access to them.
#include "support/TestDatabase.h"

#include <sqlite3.h>

#include <stdexcept>

namespace zaztest {

namespace {

struct Connection {
  sqlite3* db = nullptr;
  explicit Connection(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      throw std::runtime_error("cannot open " + path);
    }
    sqlite3_busy_timeout(db, 5000);
  }
  ~Connection() { sqlite3_close(db); }
};

}  // namespace

TestDatabase::TestDatabase(zazorazari::enumFileType type) : m_path(m_dir.File("test.mdb")) {
  m_db.Create(m_path, TemplateDir(), type);
  m_db.SetPath(m_path);
  m_db.OpenDB();
}

void TestDatabase::Sql(const std::string& sql) const {
  Connection c(m_path);
  char* error = nullptr;
  if (sqlite3_exec(c.db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::string message = error ? error : "?";
    sqlite3_free(error);
    throw std::runtime_error(message + " in: " + sql);
  }
}

std::string TestDatabase::Scalar(const std::string& sql) const {
  Connection c(m_path);
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(c.db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
    throw std::runtime_error(std::string(sqlite3_errmsg(c.db)) + " in: " + sql);
  }
  std::string text;
  if (sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_type(stmt, 0) != SQLITE_NULL) {
    text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
  }
  sqlite3_finalize(stmt);
  return text;
}

long long TestDatabase::Count(const std::string& table, const std::string& where) const {
  return std::stoll(Scalar("SELECT COUNT(*) FROM " + table + (where.empty() ? "" : " WHERE " + where)));
}

}  // namespace zaztest
