// The fields of the records read from one view, built once from the view's
// columns: their names, types and sizes, and the key index that all records
// of the view share. A record then costs one block for its fields and the
// values themselves.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "zazorazari/dataobject/CDataObject.h"
#include "zazorazari/engine/Database.h"

namespace zazorazari {

// The values of the view's row whose first column (its key) is `lPk`, one
// per column; none for key 0 (a new record). 3021 when no row has the key.
std::vector<Variant> ViewRowValues(engine::Database& db, const std::string& view, int32_t lPk);

class RecordLayout {
 public:
  explicit RecordLayout(const std::vector<engine::FieldDef>& columns);

  // A record named `name` with one field per column; `values` (one per
  // column, in column order) are moved in, and no values leave every field
  // Null.
  CDataObjectPtr NewRecord(const std::string& name, std::vector<Variant>&& values) const;

 private:
  std::vector<CField> m_fields;  // Null-valued templates
  std::shared_ptr<const KeyedList<CField>::Keys> m_keys;
};

}  // namespace zazorazari
