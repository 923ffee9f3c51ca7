// Typed criteria as SQL with parameters.
#include "zazorazari/engine/CriteriaSql.h"

#include <strings.h>

#include "zazorazari/engine/SqlDialect.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

namespace {

const std::string& ColumnName(const SchemaObject& object, const std::string& name, const char* source) {
  for (const FieldDef& field : object.fields)
    if (strcasecmp(field.Name.c_str(), name.c_str()) == 0) return field.Name;
  throw EngineError(errEngineItemNotFound, source);
}

}  // namespace

SqlText CriteriaSql(const SchemaObject& object, const Criteria& criteria, const char* source) {
  SqlText sql;
  for (const Criterion& criterion : criteria) {
    if (!sql.empty()) sql += " AND ";
    sql += QuoteName(ColumnName(object, criterion.column, source));
    if (criterion.value.IsNull()) {
      sql += " IS NULL";
      continue;
    }
    sql += " = ";
    sql.AddParam(criterion.value);
  }
  if (sql.empty()) sql += "1";  // no criteria: every row
  return sql;
}

}  // namespace zazorazari::engine
