// SQLite values to and from Variants.
#include "zazorazari/engine/ValueBinding.h"

#include <cmath>
#include <limits>
#include <string>

#include "zazorazari/engine/FieldDef.h"

namespace zazorazari::engine {

namespace {

Variant FromStorageClass(sqlite3_stmt* stmt, int column) {
  switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER: {
      const sqlite3_int64 value = sqlite3_column_int64(stmt, column);
      if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max())
        return Variant(static_cast<int32_t>(value));
      return Variant(static_cast<double>(value));
    }
    case SQLITE_FLOAT:
      return Variant(sqlite3_column_double(stmt, column));
    default: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
      return Variant(std::string(text != nullptr ? text : "", sqlite3_column_bytes(stmt, column)));
    }
  }
}

bool InRange(double value, double low, double high) { return value >= low && value <= high; }

}  // namespace

void ReadColumnValues(sqlite3_stmt* stmt, int first, const std::vector<FieldDef>& fields, std::vector<Variant>& row) {
  row.resize(fields.size());
  for (size_t i = 0; i < fields.size(); ++i) row[i] = ReadColumnValue(stmt, first + static_cast<int>(i), fields[i].Type);
}

bool SameValue(const Variant& a, const Variant& b) {
  return a.VarType() == b.VarType() && a.Number() == b.Number() && a.Text() == b.Text();
}

Variant RowidParam(int64_t rowid) {
  if (rowid >= std::numeric_limits<int32_t>::min() && rowid <= std::numeric_limits<int32_t>::max())
    return Variant(static_cast<int32_t>(rowid));
  return Variant(static_cast<double>(rowid));
}

int BindValue(sqlite3_stmt* stmt, int index, const Variant& value, bool textKept) {
  switch (value.VarType()) {
    case vtBoolean:
    case vtByte:
    case vtInteger:
    case vtLong:
      return sqlite3_bind_int64(stmt, index, static_cast<sqlite3_int64>(value.Number()));
    case vtSingle:
    case vtDouble:
    case vtCurrency:
    case vtDate:
      return sqlite3_bind_double(stmt, index, value.Number());
    case vtString:
      return sqlite3_bind_text(stmt, index, value.Text().data(), static_cast<int>(value.Text().size()),
                               textKept ? SQLITE_STATIC : SQLITE_TRANSIENT);
    default:
      return sqlite3_bind_null(stmt, index);
  }
}

Variant ReadColumnValue(sqlite3_stmt* stmt, int column, int32_t fieldType) {
  const int storage = sqlite3_column_type(stmt, column);
  if (storage == SQLITE_NULL) return Variant::Null();
  const bool numericStorage = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
  if (fieldType == dbText || fieldType == dbMemo || fieldType == 0 || !numericStorage)
    return FromStorageClass(stmt, column);
  const double number = sqlite3_column_double(stmt, column);
  switch (fieldType) {
    case dbBoolean:
      return Variant(number != 0);
    case dbByte:
      if (InRange(number, 0, 255)) return Variant::Byte(static_cast<uint8_t>(number));
      break;
    case dbInteger:
      if (InRange(number, INT16_MIN, INT16_MAX)) return Variant(static_cast<int16_t>(number));
      break;
    case dbLong:
      if (InRange(number, INT32_MIN, INT32_MAX) && number == std::floor(number))
        return Variant(static_cast<int32_t>(number));
      break;
    case dbCurrency:
      return Variant::Currency(number);
    case dbSingle:
      return Variant(static_cast<float>(number));
    case dbDate:
      return Variant::Date(number);
    default:
      return Variant(number);
  }
  return FromStorageClass(stmt, column);
}

}  // namespace zazorazari::engine
