// Merging rows of one table with reused statements (see KeyedTableWriter.h).
#include "zazorazari/engine/KeyedTableWriter.h"

#include <sqlite3.h>
#include <strings.h>

#include <algorithm>
#include <cmath>
#include <limits>

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

// Which columns the schema gives a default.
std::vector<bool> ColumnsWithDefault(Connection& connection, const SchemaObject& table) {
  std::vector<bool> found(table.fields.size(), false);
  Statement stmt = connection.Prepare("SELECT name, dflt_value FROM pragma_table_xinfo(?)", kRecordsetSource, table.name);
  stmt.Bind(1, Variant(table.name));
  while (stmt.Step()) {
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(stmt.Handle(), 0));
    for (size_t i = 0; i < table.fields.size(); ++i) {
      if (strcasecmp(table.fields[i].Name.c_str(), name) == 0) found[i] = sqlite3_column_type(stmt.Handle(), 1) != SQLITE_NULL;
    }
  }
  return found;
}

bool TableIsEmpty(Connection& connection, const SchemaObject& table) {
  return !connection.Prepare("SELECT 1 FROM " + QuoteName(table.name) + " LIMIT 1", kRecordsetSource, table.name).Step();
}

}  // namespace

KeyedTableWriter::KeyedTableWriter(Database& db, const std::string& table)
    : m_connection(db.GetImpl().connection),
      m_table(TableOf(*m_connection, table)),
      m_maxVariables(static_cast<size_t>(sqlite3_limit(m_connection->Handle(), SQLITE_LIMIT_VARIABLE_NUMBER, -1))),
      m_hasDefault(ColumnsWithDefault(*m_connection, m_table)),
      m_finds(m_table.fields.size(), nullptr),
      m_values(m_table.fields.size()),
      m_set(m_table.fields.size(), false) {
  m_onlyKnownKeys = m_table.keyColumn >= 0 && !m_table.isView && TableIsEmpty(*m_connection, m_table);
}

KeyedTableWriter::~KeyedTableWriter() {
  m_inserting.Stop();
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
  if (column == m_table.keyColumn && m_onlyKnownKeys && value.IsNumeric() && value.Number() > m_highestKey) {
    return false;
  }
  if (PendingMayHold(column, value)) {
    Flush();
  } else {
    m_inserting.Wait();  // the connection is the writer's again
  }
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
                                            size_t rows, bool insert) {
  for (const Prepared& prepared : cache) {
    if (prepared.rows == rows && prepared.columns == columns) return prepared.stmt;
  }
  const std::string sql = insert ? InsertSql(m_table, columns, rows) : UpdateSql(m_table, columns);
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v3(m_connection->Handle(), sql.c_str(), static_cast<int>(sql.size()),
                                    SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt);
    throw m_connection->ErrorFor(rc, kRecordsetSource, m_table.name);
  }
  cache.push_back({columns, rows, stmt});
  return stmt;
}

std::optional<Error> KeyedTableWriter::Run(sqlite3_stmt* stmt, const Variant* values, size_t count,
                                           const Variant* rowid) {
  int index = 0;
  int rc = SQLITE_OK;
  // The values outlive the step: their texts are not copied.
  for (size_t i = 0; i < count && rc == SQLITE_OK; ++i) rc = BindValue(stmt, ++index, values[i], true);
  if (rc == SQLITE_OK && rowid != nullptr) rc = BindValue(stmt, ++index, *rowid);
  if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
  std::optional<Error> error;
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) error = m_connection->ErrorFor(rc, kRecordsetSource, m_table.name);
  sqlite3_reset(stmt);
  sqlite3_clear_bindings(stmt);
  return error;
}

bool KeyedTableWriter::PendingMayHold(int column, const Variant& value) const {
  if (m_pendingRows == 0) return false;
  if (column != m_table.keyColumn || !value.IsNumeric()) return true;
  for (const double key : m_pendingKeys) {
    if (std::isnan(key) || key == value.Number()) return true;  // NaN: a key SQLite assigns
  }
  return false;
}

void KeyedTableWriter::Write() {
  m_connection->CheckOpen(kRecordsetSource);
  if (!m_new) {
    if (m_setColumns.empty()) return;
    if (m_table.keyColumn >= 0 && m_set[static_cast<size_t>(m_table.keyColumn)]) m_onlyKnownKeys = false;
    Flush();
    std::vector<Variant> values;
    for (size_t i = 0; i < m_set.size(); ++i) {
      if (m_set[i]) values.push_back(m_values[i]);
    }
    const Variant rowid = RowidParam(m_found);
    if (auto error = Run(PreparedFor(m_updates, m_set, 1, false), values.data(), values.size(), &rowid)) throw *error;
    return;
  }
  const int key = m_table.keyColumn;
  const auto keyIndex = static_cast<size_t>(key);
  const bool keyLeftToCounter = key >= 0 && m_table.keyIsCounter && m_set[keyIndex] && LeftToCounter(m_values[keyIndex]);
  if (keyLeftToCounter) m_set[keyIndex] = false;
  if (m_pendingRows > 0 && m_set != m_pendingColumns) Flush();
  if (m_pendingRows == 0) m_pendingColumns = m_set;
  const bool keyKnown = key >= 0 && m_set[keyIndex] && m_values[keyIndex].IsNumeric();
  m_pendingKeys.push_back(keyKnown ? m_values[keyIndex].Number() : std::numeric_limits<double>::quiet_NaN());
  if (keyKnown) {
    m_highestKey = std::max(m_highestKey, m_values[keyIndex].Number());
  } else {
    m_onlyKnownKeys = false;
  }
  size_t width = 0;
  for (size_t i = 0; i < m_set.size(); ++i) {
    if (!m_set[i]) continue;
    m_pendingValues.push_back(std::move(m_values[i]));  // every row sets them anew
    ++width;
  }
  if (keyLeftToCounter) m_set[keyIndex] = true;
  ++m_pendingRows;
  // Several statements' rows to a job: handing a job over costs about as
  // much as one statement.
  if (m_pendingRows >= 8 * BatchRows(width)) {
    auto batch = std::make_shared<Batch>(TakePending());
    m_inserting.Submit([this, batch] { Insert(*batch); });
  }
}

size_t KeyedTableWriter::BatchRows(size_t width) const {
  // As many rows as one statement takes, at most 64 (more gain little).
  return width == 0 ? 1 : std::min<size_t>(64, m_maxVariables / width);
}

void KeyedTableWriter::Flush() {
  m_inserting.Wait();
  if (m_pendingRows > 0) Insert(TakePending());
}

KeyedTableWriter::Batch KeyedTableWriter::TakePending() {
  Batch batch{m_pendingColumns, std::move(m_pendingValues), m_pendingRows};
  m_pendingValues.clear();
  m_pendingKeys.clear();
  m_pendingRows = 0;
  return batch;
}

void KeyedTableWriter::Insert(const Batch& batch) {
  // Full statements of rows together; when one refuses, it undid its rows,
  // and they go one by one to find the one at fault. The rows that fill no
  // statement go one by one anyway.
  const size_t width = batch.values.size() / batch.rows;
  const size_t perStatement = BatchRows(width);
  const Variant* values = batch.values.data();
  size_t row = 0;
  for (; perStatement > 1 && row + perStatement <= batch.rows; row += perStatement) {
    if (Run(PreparedFor(m_inserts, batch.columns, perStatement, true), values + row * width, perStatement * width,
            nullptr)) {
      break;
    }
  }
  if (row == batch.rows) return;
  sqlite3_stmt* single = PreparedFor(m_inserts, batch.columns, 1, true);
  for (; row < batch.rows; ++row) {
    if (auto error = Run(single, values + row * width, width, nullptr)) throw *error;
  }
}

}  // namespace zazorazari::engine
