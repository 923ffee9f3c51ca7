// Converting a value assigned to a field into the column's type, as the
// engine stores it: text to number, date or boolean, numbers to text,
// integers rounded half to even. Fails with 3421 when it cannot.
#pragma once

#include "zazorazari/engine/FieldDef.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari::engine {

// The value as it will read back from the column. `isKey`: the table's
// counter key, which takes only whole 32-bit numbers.
Variant ConvertForColumn(const Variant& value, const FieldDef& def, bool isKey);

}  // namespace zazorazari::engine
