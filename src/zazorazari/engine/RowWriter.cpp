// Row changes of a recordset as SQL statements.
#include "zazorazari/engine/RowWriter.h"

#include "zazorazari/engine/Connection.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/engine/SqlDialect.h"
#include "zazorazari/engine/ValueBinding.h"

namespace zazorazari::engine {

namespace {

bool LeftToCounter(const Variant& value) { return value.IsNull() || (value.IsNumeric() && value.Number() == 0); }

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
    std::string columns, params;
    for (size_t i = 0; i < values.size(); ++i) {
      if (!written[i]) continue;
      columns += columns.empty() ? " (" : ", ";
      columns += QuoteName(table.fields[i].Name);
      params += params.empty() ? " VALUES (?" : ", ?";
    }
    m_insertSql = "INSERT INTO " + QuoteName(table.name) + (columns.empty() ? " DEFAULT VALUES" : columns + ")" + params + ")");
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
    m_updateSql = "UPDATE " + QuoteName(table.name);
    bool first = true;
    for (size_t i = 0; i < values.size(); ++i) {
      if (!changed[i]) continue;
      m_updateSql += first ? " SET " : ", ";
      m_updateSql += QuoteName(table.fields[i].Name);
      m_updateSql += " = ?";
      first = false;
    }
    m_updateSql += " WHERE rowid = ?";
    m_updateColumns = changed;
  }
  const Variant key = RowidParam(rowid);
  RunWith(connection, m_updateSql, table, values, m_updateColumns, &key);
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
