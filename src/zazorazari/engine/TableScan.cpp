// One-pass table reads (see TableScan.h).
#include "zazorazari/engine/TableScan.h"

#include <strings.h>

#include "zazorazari/engine/DatabaseImpl.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/engine/SqlDialect.h"
#include "zazorazari/engine/ValueBinding.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

TableScan::TableScan(Database& db, const std::string& table, const std::vector<const char*>& columns)
    : m_connection(db.GetImpl().connection) {
  m_connection->CheckOpen(kDatabaseSource);
  const SchemaObject& object = m_connection->Catalog().Get(table, kDatabaseSource);
  std::string sql = "SELECT ";
  for (const char* name : columns) {
    const FieldDef* field = nullptr;
    for (const FieldDef& candidate : object.fields) {
      if (strcasecmp(candidate.Name.c_str(), name) == 0) {
        field = &candidate;
        break;
      }
    }
    if (field == nullptr) throw EngineError(errEngineItemNotFound, kRecordsetSource);
    if (!m_types.empty()) sql += ", ";
    sql += QuoteName(field->Name);
    m_types.push_back(field->Type);
  }
  if (columns.empty()) sql += "rowid";
  sql += " FROM " + QuoteName(object.name) + " ORDER BY rowid";
  m_stmt.emplace(m_connection->Prepare(sql, kRecordsetSource, table));
}

bool TableScan::Next() {
  m_connection->CheckOpen(kRecordsetSource);
  return m_stmt->Step();
}

Variant TableScan::Value(size_t i) const { return ReadColumnValue(m_stmt->Handle(), static_cast<int>(i), m_types[i]); }

}  // namespace zazorazari::engine
