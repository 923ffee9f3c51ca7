// Raw SQLite access to test files (see RawSqlite.h).
#include "support/RawSqlite.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace zaztest {

namespace {

using StatementPtr = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

StatementPtr Prepare(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
    throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in: " + sql);
  }
  return StatementPtr(stmt, &sqlite3_finalize);
}

}  // namespace

RawSqlite::RawSqlite(const std::string& path, Mode mode) {
  const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                    : mode == Mode::Create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                           : SQLITE_OPEN_READWRITE;
  if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(m_db);
    throw std::runtime_error("cannot open " + path);
  }
  sqlite3_busy_timeout(m_db, 5000);
}

RawSqlite::~RawSqlite() { sqlite3_close(m_db); }

void RawSqlite::Exec(const std::string& sql) const {
  char* error = nullptr;
  if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error != nullptr ? error : "?";
    sqlite3_free(error);
    throw std::runtime_error(message + " in: " + sql);
  }
}

std::vector<Strings> RawSqlite::Rows(const std::string& sql) const {
  const StatementPtr stmt = Prepare(m_db, sql);
  std::vector<Strings> rows;
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    Strings row;
    for (int i = 0; i < sqlite3_column_count(stmt.get()); ++i) {
      const unsigned char* text = sqlite3_column_text(stmt.get(), i);
      row.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text) : "NULL");
    }
    rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
  return rows;
}

Strings RawSqlite::Column(const std::string& sql) const {
  Strings values;
  for (const auto& row : Rows(sql)) values.push_back(row.front());
  return values;
}

std::string RawSqlite::Scalar(const std::string& sql) const {
  const auto rows = Rows(sql);
  return rows.empty() || rows.front().front() == "NULL" ? "" : rows.front().front();
}

Strings RawSqlite::ColumnNames(const std::string& source, bool declaredTypes) const {
  const StatementPtr stmt = Prepare(m_db, "SELECT * FROM " + source);
  Strings columns;
  for (int i = 0; i < sqlite3_column_count(stmt.get()); ++i) {
    const char* type = sqlite3_column_decltype(stmt.get(), i);
    columns.emplace_back(declaredTypes ? (type != nullptr ? type : "") : sqlite3_column_name(stmt.get(), i));
  }
  return columns;
}

std::string RawSqlite::Dump() const {
  std::string dump;
  for (const auto& table : Column("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
    dump += "[" + table + "]\n";
    const StatementPtr stmt = Prepare(m_db, "SELECT * FROM \"" + table + "\" ORDER BY 1");
    while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
      for (int i = 0; i < sqlite3_column_count(stmt.get()); ++i) {
        const int type = sqlite3_column_type(stmt.get(), i);
        dump += "0INRTB"[type] + std::string(":");
        if (type != SQLITE_NULL) {
          dump.append(static_cast<const char*>(sqlite3_column_blob(stmt.get(), i)),
                      static_cast<size_t>(sqlite3_column_bytes(stmt.get(), i)));
        }
        dump += '|';
      }
      dump += '\n';
    }
  }
  return dump;
}

std::string RawSqlite::IntegrityCheck() const {
  std::string result;
  for (const auto& line : Column("PRAGMA integrity_check")) result += (result.empty() ? "" : "; ") + line;
  return result;
}

}  // namespace zaztest
