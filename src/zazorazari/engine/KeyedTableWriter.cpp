// Merging rows of one table with reused statements (see KeyedTableWriter.h).
#include "zazorazari/engine/KeyedTableWriter.h"

#include <strings.h>

#include "zazorazari/engine/DatabaseImpl.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/engine/FieldConversion.h"
#include "zazorazari/engine/RowWriter.h"
#include "zazorazari/engine/SqlDialect.h"
#include "zazorazari/engine/ValueBinding.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

namespace {

const SchemaObject& TableOf(Connection& connection, const std::string& table) {
  connection.CheckOpen(kDatabaseSource);
  return connection.Catalog().Get(table, kDatabaseSource);
}

}  // namespace

KeyedTableWriter::KeyedTableWriter(Database& db, const std::string& table)
    : m_connection(db.GetImpl().connection),
      m_table(TableOf(*m_connection, table)),
      m_finds(m_table.fields.size(), nullptr),
      m_values(m_table.fields.size()),
      m_set(m_table.fields.size(), false) {}

KeyedTableWriter::~KeyedTableWriter() {
  for (sqlite3_stmt* stmt : m_finds) sqlite3_finalize(stmt);
  for (auto* cache : {&m_inserts, &m_updates}) {
    for (const Prepared& prepared : *cache) sqlite3_finalize(prepared.stmt);
  }
}

int KeyedTableWriter::ColumnIndex(const char* name) const {
  for (size_t i = 0; i < m_table.fields.size(); ++i) {
    if (strcasecmp(m_table.fields[i].Name.c_str(), name) == 0) return static_cast<int>(i);
  }
  return -1;
}

bool KeyedTableWriter::Find(int column, const Variant& value) {
  m_connection->CheckOpen(kRecordsetSource);
  sqlite3_stmt*& stmt = m_finds[static_cast<size_t>(column)];
  if (stmt == nullptr) {
    const std::string sql = "SELECT rowid FROM " + QuoteName(m_table.name) + " WHERE " +
                            QuoteName(m_table.fields[static_cast<size_t>(column)].Name) +
                            " = ? ORDER BY rowid LIMIT 1";
    const int rc = sqlite3_prepare_v3(m_connection->Handle(), sql.c_str(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) {
      sqlite3_finalize(stmt);
      stmt = nullptr;
      throw m_connection->ErrorFor(rc, kRecordsetSource, m_table.name);
    }
  }
  BindValue(stmt, 1, value);
  const int rc = sqlite3_step(stmt);
  if (rc == SQLITE_ROW) m_found = sqlite3_column_int64(stmt, 0);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
    const Error error = m_connection->ErrorFor(rc, kRecordsetSource, m_table.name);
    sqlite3_reset(stmt);
    throw error;
  }
  sqlite3_reset(stmt);
  return rc == SQLITE_ROW;
}

void KeyedTableWriter::BeginNew() {
  if (m_table.isView) throw EngineError(errEngineReadOnly, kRecordsetSource);
  for (const int column : m_setColumns) m_set[static_cast<size_t>(column)] = false;
  m_setColumns.clear();
  m_new = true;
}

void KeyedTableWriter::BeginOverwrite() {
  BeginNew();
  m_new = false;
}

void KeyedTableWriter::Set(int column, const Variant& value) {
  const auto index = static_cast<size_t>(column);
  m_values[index] = ConvertForColumn(value, m_table.fields[index], column == m_table.keyColumn);
  if (!m_set[index]) {
    m_set[index] = true;
    m_setColumns.push_back(column);
  }
}

sqlite3_stmt* KeyedTableWriter::PreparedFor(std::vector<Prepared>& cache, const std::vector<bool>& columns,
                                            bool insert) {
  for (const Prepared& prepared : cache) {
    if (prepared.columns == columns) return prepared.stmt;
  }
  const std::string sql = insert ? InsertSql(m_table, columns) : UpdateSql(m_table, columns);
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v3(m_connection->Handle(), sql.c_str(), static_cast<int>(sql.size()),
                                    SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt);
    throw m_connection->ErrorFor(rc, kRecordsetSource, m_table.name);
  }
  cache.push_back({columns, stmt});
  return stmt;
}

void KeyedTableWriter::Run(sqlite3_stmt* stmt, const std::vector<bool>& columns, const Variant* rowid) {
  int index = 0;
  int rc = SQLITE_OK;
  for (size_t i = 0; i < columns.size() && rc == SQLITE_OK; ++i) {
    if (columns[i]) rc = BindValue(stmt, ++index, m_values[i]);
  }
  if (rc == SQLITE_OK && rowid != nullptr) rc = BindValue(stmt, ++index, *rowid);
  if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
    const Error error = m_connection->ErrorFor(rc, kRecordsetSource, m_table.name);
    sqlite3_reset(stmt);
    throw error;
  }
  sqlite3_reset(stmt);
}

void KeyedTableWriter::Write() {
  m_connection->CheckOpen(kRecordsetSource);
  if (m_new) {
    const int key = m_table.keyColumn;
    const bool keyLeftToCounter =
        key >= 0 && m_table.keyIsCounter && m_set[static_cast<size_t>(key)] && LeftToCounter(m_values[static_cast<size_t>(key)]);
    if (keyLeftToCounter) m_set[static_cast<size_t>(key)] = false;
    Run(PreparedFor(m_inserts, m_set, true), m_set, nullptr);
    if (keyLeftToCounter) m_set[static_cast<size_t>(key)] = true;
  } else if (!m_setColumns.empty()) {
    const Variant rowid = RowidParam(m_found);
    Run(PreparedFor(m_updates, m_set, false), m_set, &rowid);
  }
}

}  // namespace zazorazari::engine
