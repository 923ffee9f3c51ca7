// Checks a host makes before it writes what a person typed: the stored form
// of a field value, the known type names, and the task a result file names.
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/TypeRegistry.h"
#include "zazorazari/engine/FieldConversion.h"

namespace zazorazari {

Variant CDatabase::ConvertForField(const CField& field, const Variant& value) {
  return engine::ConvertForColumn(value, engine::FieldDef{field.Name(), field.DataType(), field.Size()}, false);
}

std::vector<std::string> CDatabase::DataObjectTypeNames() { return zazorazari::DataObjectTypeNames(); }

std::vector<std::pair<std::string, std::string>> CDatabase::CollectionTypeNames() {
  std::vector<std::pair<std::string, std::string>> names;
  for (const CollectionType& type : CollectionTypes()) names.emplace_back(type.name, type.memberView);
  return names;
}

}  // namespace zazorazari
