// Field value conversion to a column's declared type.
#include "zazorazari/engine/FieldConversion.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <strings.h>

#include "zazorazari/engine/DeclaredType.h"
#include "zazorazari/engine/EngineErrors.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::engine {

namespace {

[[noreturn]] void Refuse() { throw EngineError(errEngineConversion, kFieldSource); }

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

double NumberOf(const Variant& value) {
  if (value.VarType() != vtString) return value.Number();
  try {
    return CDbl(value);
  } catch (const Error&) {
    Refuse();
  }
}

double DateOf(const Variant& value) {
  if (value.VarType() != vtString) return value.Number();
  try {
    return DateFromText(value.Text());
  } catch (const Error&) {
    Refuse();
  }
}

bool BooleanOf(const Variant& value) {
  if (value.VarType() != vtString) return value.Number() != 0;
  const std::string text = Trimmed(value.Text());
  for (const char* yes : {"True", "Yes", "-1"})
    if (strcasecmp(text.c_str(), yes) == 0) return true;
  for (const char* no : {"False", "No", "0"})
    if (strcasecmp(text.c_str(), no) == 0) return false;
  Refuse();
}

double WholeNumber(double number, double low, double high, bool isKey) {
  if (!std::isfinite(number)) Refuse();
  if (isKey && number != std::floor(number)) Refuse();
  const double rounded = RoundHalfEven(number);
  if (rounded < low || rounded > high) Refuse();
  return rounded;
}

}  // namespace

Variant ConvertForColumn(const Variant& value, const FieldDef& def, bool isKey) {
  const VbVarType from = value.VarType();
  if (from == vtEmpty || from == vtNull) return Variant::Null();
  if (from == vtObject || from == vtError) Refuse();
  if (IsTextType(def.Type) || def.Type == 0) {
    if (from != vtString) return Variant(CStr(value));
    if (value.Text().find('\0') != std::string::npos) Refuse();
    return value;
  }
  if (from == vtString && value.Text().find_first_not_of(" \t") == std::string::npos) return Variant::Null();
  switch (def.Type) {
    case dbBoolean:
      return Variant(BooleanOf(value));
    case dbByte:
      return Variant::Byte(static_cast<uint8_t>(WholeNumber(NumberOf(value), 0, 255, isKey)));
    case dbInteger:
      return Variant(static_cast<int16_t>(WholeNumber(NumberOf(value), INT16_MIN, INT16_MAX, isKey)));
    case dbLong:
      return Variant(static_cast<int32_t>(WholeNumber(NumberOf(value), INT32_MIN, INT32_MAX, isKey)));
    case dbCurrency: {
      const double number = NumberOf(value);
      if (!std::isfinite(number) || std::fabs(number) > 922337203685477.0) Refuse();
      return Variant::Currency(RoundHalfEven(number * 10000) / 10000);
    }
    case dbSingle: {
      const double number = NumberOf(value);
      if (!std::isfinite(number) || std::fabs(number) > FLT_MAX) Refuse();
      return Variant(static_cast<float>(number));
    }
    case dbDate: {
      const double days = DateOf(value);
      if (!std::isfinite(days)) Refuse();
      return Variant::Date(days);
    }
    default: {
      const double number = NumberOf(value);
      if (!std::isfinite(number)) Refuse();
      return Variant(number);
    }
  }
}

}  // namespace zazorazari::engine
