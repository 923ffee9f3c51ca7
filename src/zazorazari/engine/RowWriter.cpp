// Row changes of a recordset as SQL statements.
#include "zazorazari/engine/RowWriter.h"

#include "zazorazari/engine/Connection.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/engine/SqlDialect.h"
#include "zazorazari/engine/ValueBinding.h"

namespace zazorazari::engine {

namespace {

bool LeftToCounter(const Variant& value) { return value.IsNull() || (value.IsNumeric() && value.Number() == 0); }

}  // namespace

int64_t InsertRow(Connection& connection, const SchemaObject& table, const std::vector<Variant>& values,
                  const std::vector<bool>& changed) {
  SqlText sql;
  sql += "INSERT INTO ";
  sql += QuoteName(table.name);
  SqlText columns, params;
  for (size_t i = 0; i < values.size(); ++i) {
    if (!changed[i]) continue;
    if (static_cast<int>(i) == table.keyColumn && table.keyIsCounter && LeftToCounter(values[i])) continue;
    columns += columns.empty() ? " (" : ", ";
    columns += QuoteName(table.fields[i].Name);
    params += params.empty() ? " VALUES (" : ", ";
    params.AddParam(values[i]);
  }
  if (columns.empty()) {
    sql += " DEFAULT VALUES";
  } else {
    columns += ")";
    params += ")";
    sql += columns;
    sql += params;
  }
  connection.Run(sql, kRecordsetSource, table.name);
  return sqlite3_last_insert_rowid(connection.Handle());
}

void UpdateRow(Connection& connection, const SchemaObject& table, const std::vector<Variant>& values,
               const std::vector<bool>& changed, int64_t rowid) {
  SqlText sql;
  sql += "UPDATE ";
  sql += QuoteName(table.name);
  bool any = false;
  for (size_t i = 0; i < values.size(); ++i) {
    if (!changed[i]) continue;
    sql += any ? ", " : " SET ";
    sql += QuoteName(table.fields[i].Name);
    sql += " = ";
    sql.AddParam(values[i]);
    any = true;
  }
  if (!any) return;
  sql += " WHERE rowid = ";
  sql.AddParam(RowidParam(rowid));
  connection.Run(sql, kRecordsetSource, table.name);
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
