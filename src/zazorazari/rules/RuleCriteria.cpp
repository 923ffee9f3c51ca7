// Criterion pieces shared by the rule classes.
#include "zazorazari/rules/RuleCriteria.h"

#include <strings.h>

#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

std::string NumberText(const Variant& value) { return CStr(Variant(CDbl(value))); }

Variant NumberCriterion(const Variant& value) {
  switch (value.VarType()) {
    case vtNull:
    case vtInteger:
    case vtLong:
    case vtByte:
    case vtSingle:
    case vtDouble:
    case vtCurrency: return value;
    case vtString:
    case vtBoolean:
    case vtDate: return Variant(CDbl(value));
    default: throw RuntimeError(errTypeMismatch);
  }
}

Variant TextCriterion(const Variant& value) {
  if (value.IsEmpty()) return Variant("");
  if (!value.IsNull() && value.VarType() != vtString) throw RuntimeError(errTypeMismatch);
  return value;
}

std::string DateLiteral(const Variant& value) {
  const DateParts parts = SplitDate(CDate(value));
  return "#" + std::to_string(parts.month) + "/" + std::to_string(parts.day) + "/" + std::to_string(parts.year) + "#";
}

std::string TableColumn(engine::Database& db, const std::string& table, const std::string& name) {
  for (const auto& column : db.TableDefs(table)) {
    if (strcasecmp(column.Name.c_str(), name.c_str()) == 0) return column.Name;
  }
  throw EngineError(errEngineItemNotFound, "Engine.Database");
}

Variant LastModifiedKey(const engine::Recordset& rs) {
  const int64_t rowid = rs.LastModified();
  if (rowid < INT32_MIN || rowid > INT32_MAX) return Variant(static_cast<double>(rowid));  // as a read would type it
  return Variant(static_cast<int32_t>(rowid));
}

std::string Slot(const char* prefix, int slot) { return prefix + std::to_string(slot); }

}  // namespace zazorazari
