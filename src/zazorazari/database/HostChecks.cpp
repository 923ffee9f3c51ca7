// Checks a host makes before it writes what a person typed: the stored form
// of a field value and the known type names.
#include "zazorazari/database/HostChecks.h"

#include "zazorazari/database/TypeRegistry.h"
#include "zazorazari/engine/FieldConversion.h"

namespace zazorazari {

Variant ConvertForField(const CField& field, const Variant& value) {
  return engine::ConvertForColumn(value, engine::FieldDef{field.Name(), field.DataType(), field.Size()}, false);
}

std::vector<std::string> DataObjectTypeNames() {
  std::vector<std::string> names;
  for (const DataObjectType& type : DataObjectTypes()) names.emplace_back(type.name);
  return names;
}

std::vector<std::pair<std::string, std::string>> CollectionTypeNames() {
  std::vector<std::pair<std::string, std::string>> names;
  for (const CollectionType& type : CollectionTypes()) names.emplace_back(type.name, type.memberView);
  return names;
}

}  // namespace zazorazari
