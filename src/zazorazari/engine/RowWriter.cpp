// Row changes of a recordset as SQL statements.
#include "zazorazari/engine/RowWriter.h"

#include "zazorazari/engine/Connection.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/engine/SqlDialect.h"
#include "zazorazari/engine/ValueBinding.h"

namespace zazorazari::engine {

namespace {

// Binds the written columns' values in column order and runs the statement.
void RunWith(Connection& connection, const std::string& sql, const SchemaObject& table,
             const std::vector<Variant>& values, const std::vector<bool>& written, const Variant* rowid) {
  Statement stmt = connection.Prepare(sql, kRecordsetSource, table.name);
  int index = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    if (written[i]) stmt.Bind(++index, values[i]);
  }
  if (rowid != nullptr) stmt.Bind(++index, *rowid);
  while (stmt.Step()) {
  }
}

}  // namespace

int64_t RowWriter::Insert(Connection& connection, const SchemaObject& table, const std::vector<Variant>& values,
                          const std::vector<bool>& changed) {
  std::vector<bool> written = changed;
  if (table.keyColumn >= 0 && table.keyIsCounter && written[table.keyColumn] &&
      LeftToCounter(values[table.keyColumn])) {
    written[table.keyColumn] = false;
  }
  if (m_insertSql.empty() || written != m_insertColumns) {
    std::string& sql = table.insertSql[written];
    if (sql.empty()) sql = InsertSql(table, written);
    m_insertSql = sql;
    m_insertColumns = std::move(written);
  }
  RunWith(connection, m_insertSql, table, values, m_insertColumns, nullptr);
  return sqlite3_last_insert_rowid(connection.Handle());
}

void RowWriter::Update(Connection& connection, const SchemaObject& table, const std::vector<Variant>& values,
                       const std::vector<bool>& changed, int64_t rowid) {
  bool any = false;
  for (const bool column : changed) any = any || column;
  if (!any) return;
  if (m_updateSql.empty() || changed != m_updateColumns) {
    m_updateSql = UpdateSql(table, changed);
    m_updateColumns = changed;
  }
  const Variant key = RowidParam(rowid);
  RunWith(connection, m_updateSql, table, values, m_updateColumns, &key);
}

bool LeftToCounter(const Variant& value) { return value.IsNull() || (value.IsNumeric() && value.Number() == 0); }

std::string InsertSql(const SchemaObject& table, const std::vector<bool>& written, size_t rows) {
  std::string columns, row;
  for (size_t i = 0; i < written.size(); ++i) {
    if (!written[i]) continue;
    columns += columns.empty() ? " (" : ", ";
    columns += QuoteName(table.fields[i].Name);
    row += row.empty() ? "(?" : ", ?";
  }
  std::string sql = "INSERT INTO " + QuoteName(table.name);
  if (columns.empty()) return sql + " DEFAULT VALUES";
  sql += columns + ") VALUES ";
  for (size_t r = 0; r < rows; ++r) sql += (r == 0 ? "" : ", ") + row + ")";
  return sql;
}

std::string UpdateSql(const SchemaObject& table, const std::vector<bool>& changed) {
  std::string sql = "UPDATE " + QuoteName(table.name);
  bool first = true;
  for (size_t i = 0; i < changed.size(); ++i) {
    if (!changed[i]) continue;
    sql += first ? " SET " : ", ";
    sql += QuoteName(table.fields[i].Name);
    sql += " = ?";
    first = false;
  }
  return sql + " WHERE rowid = ?";
}

void DeleteRow(Connection& connection, const SchemaObject& table, int64_t rowid) {
  SqlText sql;
  sql += "DELETE FROM ";
  sql += QuoteName(table.name);
  sql += " WHERE rowid = ";
  sql.AddParam(RowidParam(rowid));
  connection.Run(sql, kRecordsetSource, table.name);
}

}  // namespace zazorazari::engine
