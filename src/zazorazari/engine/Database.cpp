// Opening recordsets, DELETE statements and column definitions of a database.
#include "zazorazari/engine/Database.h"

#include <functional>

#include "zazorazari/engine/CriteriaSql.h"
#include "zazorazari/engine/DatabaseImpl.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/engine/KeysetCursor.h"
#include "zazorazari/engine/RecordsetImpl.h"
#include "zazorazari/engine/SqlDialect.h"
#include "zazorazari/engine/ValueBinding.h"
#include "zazorazari/engine/ViewCursor.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Table-type only for a table by name; a view or a SELECT is a dynaset
// unless a snapshot was asked for.
int32_t ResolveType(int32_t requested, bool tableByName) {
  if (requested == 0 || requested == dbOpenTable) return tableByName ? dbOpenTable : dbOpenDynaset;
  return requested == dbOpenDynaset ? dbOpenDynaset : dbOpenSnapshot;
}

// Runs a fixed statement outside the dialect and passes each row's first
// `columns` values as text.
void EachTextRow(Connection& connection, const char* sql, int columns,
                 const std::function<void(const std::vector<std::string>&)>& onRow) {
  connection.CheckOpen(kDatabaseSource);
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(connection.Handle(), sql, -1, &stmt, nullptr);
  std::vector<std::string> row(static_cast<size_t>(columns));
  if (rc == SQLITE_OK) {
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      for (int i = 0; i < columns; ++i) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        row[static_cast<size_t>(i)] = text ? text : "";
      }
      onRow(row);
    }
  }
  sqlite3_finalize(stmt);
  if (rc != SQLITE_DONE) throw connection.ErrorFor(rc, kDatabaseSource, sql);
}

}  // namespace

Database::Database(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

Database::~Database() { Close(); }

const std::string& Database::Name() const { return m_impl->connection->Path(); }

std::shared_ptr<Recordset> Database::OpenRecordset(const std::string& source, int32_t type) {
  Connection& connection = *m_impl->connection;
  connection.CheckOpen(kDatabaseSource);
  try {
    RecordSource recordSource;
    recordSource.text = source;
    bool byName = false;
    if (IsSelectText(source)) {
      SelectQuery query = ParseSelect(source, kDatabaseSource);
      recordSource.object = &connection.Catalog().Get(query.source, kDatabaseSource);
      recordSource.where = std::move(query.where);
      recordSource.order = std::move(query.order);
    } else {
      recordSource.object = &connection.Catalog().Get(Trimmed(source), kDatabaseSource);
      byName = true;
    }
    const bool isView = recordSource.object->isView;
    auto impl = std::make_unique<Recordset::Impl>();
    impl->connection = m_impl->connection;
    impl->object = recordSource.object;
    impl->type = ResolveType(type, byName && !isView);
    impl->updatable = !isView && impl->type != dbOpenSnapshot;
    if (isView)
      impl->cursor = std::make_unique<ViewCursor>(connection, std::move(recordSource));
    else
      impl->cursor = std::make_unique<KeysetCursor>(connection, std::move(recordSource));
    impl->hasCurrent = impl->cursor->MoveFirst();
    impl->eof = !impl->hasCurrent;
    return std::shared_ptr<Recordset>(new Recordset(std::move(impl)));
  } catch (const Error& error) {
    if (error.Source() == kDatabaseSource) throw;
    throw Error(error.Number(), kDatabaseSource, error.Description());
  }
}

bool Database::ReadRow(const std::string& name, const Criteria& criteria, std::vector<Variant>& row) {
  Connection& connection = *m_impl->connection;
  connection.CheckOpen(kDatabaseSource);
  const SchemaObject& object = connection.Catalog().Get(name, kDatabaseSource);
  SqlText query;
  query += "SELECT * FROM ";
  query += QuoteName(object.name);
  query += " WHERE ";
  query += CriteriaSql(object, criteria, kDatabaseSource);
  query += " LIMIT 1";
  Statement stmt = connection.Prepare(query.sql, kDatabaseSource, name);
  stmt.Bind(query.params);
  if (!stmt.Step()) return false;
  ReadColumnValues(stmt.Handle(), 0, object.fields, row);
  return true;
}

void Database::Execute(const std::string& sql) {
  Connection& connection = *m_impl->connection;
  connection.CheckOpen(kDatabaseSource);
  DeleteQuery query = ParseDelete(sql, kDatabaseSource);
  const SchemaObject& table = connection.Catalog().Get(query.table, kDatabaseSource);
  if (table.isView) throw EngineError(errEngineReadOnly, kDatabaseSource);
  SqlText statement;
  statement += "DELETE FROM ";
  statement += QuoteName(table.name);
  if (!query.where.empty()) {
    statement += " WHERE (";
    statement += query.where;
    statement += ")";
  }
  connection.Run(statement, kDatabaseSource, sql);
}

const std::vector<FieldDef>& Database::TableDefs(const std::string& name) {
  m_impl->connection->CheckOpen(kDatabaseSource);
  const SchemaObject& object = m_impl->connection->Catalog().Get(name, kDatabaseSource);
  if (object.isView) throw EngineError(errEngineItemNotFound, kDatabaseSource);
  return object.fields;
}

const std::vector<FieldDef>& Database::QueryDefs(const std::string& name) {
  m_impl->connection->CheckOpen(kDatabaseSource);
  const SchemaObject& object = m_impl->connection->Catalog().Get(name, kDatabaseSource);
  if (!object.isView) throw EngineError(errEngineItemNotFound, kDatabaseSource);
  return object.fields;
}

std::string Database::IntegrityCheck() {
  std::string findings;
  EachTextRow(*m_impl->connection, "PRAGMA integrity_check", 1,
              [&](const auto& row) { findings += (findings.empty() ? "" : "; ") + row[0]; });
  return findings;
}

std::vector<SchemaEntry> Database::SchemaEntries() {
  std::vector<SchemaEntry> objects;
  EachTextRow(*m_impl->connection, "SELECT type, name FROM sqlite_master WHERE name NOT LIKE 'sqlite!_%' ESCAPE '!'",
              2, [&](const auto& row) { objects.push_back({row[0], row[1]}); });
  return objects;
}

std::vector<std::string> Database::TableNames() {
  std::vector<std::string> names;
  EachTextRow(*m_impl->connection,
              "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite!_%' ESCAPE '!' "
              "ORDER BY rowid",
              1, [&](const auto& row) { names.push_back(row[0]); });
  return names;
}

void Database::Close() { m_impl->connection->Close(); }

bool Database::IsOpen() const { return m_impl->connection->IsOpen(); }

}  // namespace zazorazari::engine
