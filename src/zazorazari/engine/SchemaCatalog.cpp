// Table and view definitions read from the schema.
#include "zazorazari/engine/SchemaCatalog.h"

#include <cctype>
#include <strings.h>

#include "zazorazari/engine/Connection.h"
#include "zazorazari/engine/DeclaredType.h"
#include "zazorazari/engine/SqlDialect.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

namespace {

std::string Lower(const std::string& text) {
  std::string out = text;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

const SchemaObject& SchemaCatalog::Get(const std::string& name, const char* source) {
  const std::string key = Lower(name);
  if (auto found = m_objects.find(key); found != m_objects.end()) return *found->second;
  m_connection.CheckOpen(source);
  SqlText lookup;
  lookup += "SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view') AND name = ";
  lookup.AddParam(Variant(name));
  lookup += " COLLATE NOCASE";
  std::string canonical;
  bool isView = false;
  {
    Statement stmt = m_connection.Prepare(lookup.sql, source, name);
    stmt.Bind(lookup.params);
    if (!stmt.Step()) throw EngineError(errEngineItemNotFound, source);
    canonical = reinterpret_cast<const char*>(sqlite3_column_text(stmt.Handle(), 0));
    isView = strcasecmp(reinterpret_cast<const char*>(sqlite3_column_text(stmt.Handle(), 1)), "view") == 0;
  }
  auto object = std::make_unique<SchemaObject>(Load(canonical, isView, source));
  return *m_objects.emplace(key, std::move(object)).first->second;
}

SchemaObject SchemaCatalog::Load(const std::string& canonicalName, bool isView, const char* source) {
  SchemaObject object;
  object.name = canonicalName;
  object.isView = isView;
  sqlite3* db = m_connection.Handle();
  sqlite3_stmt* stmt = nullptr;
  const std::string sql = "SELECT * FROM " + QuoteName(canonicalName);
  const int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
  if (rc != SQLITE_OK) {
    Error error = m_connection.ErrorFor(rc, source, canonicalName);
    sqlite3_finalize(stmt);
    throw error;
  }
  const int count = sqlite3_column_count(stmt);
  int keyColumns = 0;
  for (int i = 0; i < count; ++i) {
    const std::string column = sqlite3_column_name(stmt, i);
    object.fields.push_back(FieldDefFromDeclaredType(column, sqlite3_column_decltype(stmt, i)));
    if (isView) continue;
    int primaryKey = 0;
    int autoIncrement = 0;
    const char* declared = nullptr;
    if (sqlite3_table_column_metadata(db, "main", canonicalName.c_str(), column.c_str(), &declared, nullptr,
                                      nullptr, &primaryKey, &autoIncrement) != SQLITE_OK ||
        primaryKey == 0)
      continue;
    ++keyColumns;
    if (declared != nullptr && strcasecmp(declared, "INTEGER") == 0) {
      object.keyColumn = i;
      object.keyIsCounter = autoIncrement != 0;
    }
  }
  if (keyColumns != 1) object.keyColumn = -1;  // a composite key is no counter
  sqlite3_finalize(stmt);
  return object;
}

}  // namespace zazorazari::engine
