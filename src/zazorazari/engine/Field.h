// One column of a recordset's current row: read it, or assign to it between
// AddNew/Edit and Update (the value is converted to the column's type then).
#pragma once

#include <cstdint>
#include <string>

#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari::engine {

class Recordset;

class Field {
 public:
  const std::string& Name() const;
  int32_t Type() const;
  int32_t Size() const;

  // The current row's value typed by the column's declared type; NULL for
  // an empty column. Fails with 3021 when there is no current row.
  Variant Value() const;
  // Converts to the column's type (3421 when it cannot); fails with 3020
  // outside AddNew/Edit and 3027 on a read-only recordset.
  void SetValue(const Variant& value);

 private:
  friend class Recordset;
  Field(Recordset* owner, int32_t index) : m_owner(owner), m_index(index) {}
  Recordset* m_owner;
  int32_t m_index;
};

}  // namespace zazorazari::engine
#pragma GCC visibility pop
