// Values between SQLite and Variant: binding a parameter, and reading a
// column typed by the column's declared field type.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <vector>

#include "zazorazari/engine/FieldDef.h"

#include "zazorazari/platform/Variant.h"

namespace zazorazari::engine {

// Booleans go in as -1/0, dates and currency as REAL, text as UTF-8. SQLite
// copies a text unless `textKept`: the caller then keeps the value, and
// every parameter bound, until the statement is reset and bound anew.
int BindValue(sqlite3_stmt* stmt, int index, const Variant& value, bool textKept = false);

// A stored value typed by the field type (vtBoolean for BOOLEAN, vtDate for
// DATETIME, ...); NULL as Variant::Null(). Type 0 reads by storage class.
Variant ReadColumnValue(sqlite3_stmt* stmt, int column, int32_t fieldType);

// The columns from `first` on, one per field, into `row` (resized to fit).
void ReadColumnValues(sqlite3_stmt* stmt, int first, const std::vector<FieldDef>& fields, std::vector<Variant>& row);

// Whether two values read or converted for a column are the same value: the
// same type, number and text.
bool SameValue(const Variant& a, const Variant& b);

// A row id as a parameter value (Variant has no 64-bit integer).
Variant RowidParam(int64_t rowid);

}  // namespace zazorazari::engine
