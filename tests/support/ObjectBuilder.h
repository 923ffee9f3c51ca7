// Records filled field by field in one call, for tests that write through the
// facade.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "zazorazari/database/CDatabase.h"

namespace zaztest {

using FieldValues = std::vector<std::pair<std::string, zazorazari::Variant>>;

inline void SetFields(zazorazari::CDataObject& dobj, const FieldValues& fields) {
  for (const auto& [name, value] : fields) dobj.Fields(name)->SetValue(value);
}

// A new record of `type` with the given fields set.
inline zazorazari::CDataObjectPtr NewObject(zazorazari::CDatabase& db, const std::string& type,
                                            const FieldValues& fields) {
  auto dobj = db.CreateDataObject(type);
  SetFields(*dobj, fields);
  return dobj;
}

}  // namespace zaztest
