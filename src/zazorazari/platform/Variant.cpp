// The tagged value and the runtime's rules for ordering two of them.
#include "zazorazari/platform/Variant.h"

#include <cmath>
#include <utility>

#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

namespace {

// Currency is a scaled 64-bit integer with four decimals.
constexpr double kCurrencyLimit = 922337203685477.5807;

template <typename T>
VariantOrder CompareValues(const T& a, const T& b) {
  if (a < b) return VariantOrder::Less;
  if (b < a) return VariantOrder::Greater;
  if (a == b) return VariantOrder::Equal;
  return VariantOrder::Unordered;  // NaN
}

}  // namespace

Variant::Variant(VbVarType type, double number) : m_type(type), m_number(number) {}

Variant::Variant(bool b) : Variant(vtBoolean, b ? -1.0 : 0.0) {}
Variant::Variant(int16_t i) : Variant(vtInteger, i) {}
Variant::Variant(int32_t l) : Variant(vtLong, l) {}
Variant::Variant(float f) : Variant(vtSingle, f) {}
Variant::Variant(double d) : Variant(vtDouble, d) {}
Variant::Variant(std::string s) : m_type(vtString), m_text(std::move(s)) {}
Variant::Variant(const char* s) : m_type(vtString), m_text(s != nullptr ? s : "") {}
Variant::Variant(std::shared_ptr<Dispatch> obj) : m_type(vtObject), m_object(std::move(obj)) {}

Variant Variant::Null() { return Variant(vtNull, 0); }
Variant Variant::Date(double days) { return Variant(vtDate, days); }

Variant Variant::Currency(double value) {
  const double scaled = RoundHalfEven(value * 10000.0) / 10000.0;
  if (!(std::fabs(scaled) <= kCurrencyLimit)) throw RuntimeError(errOverflow);
  return Variant(vtCurrency, scaled);
}

Variant Variant::Byte(uint8_t value) { return Variant(vtByte, value); }
Variant Variant::Error(int32_t code) { return Variant(vtError, code); }

bool Variant::IsNumeric() const {
  switch (m_type) {
    case vtInteger:
    case vtLong:
    case vtSingle:
    case vtDouble:
    case vtCurrency:
    case vtDate:
    case vtBoolean:
    case vtByte:
      return true;
    default:
      return false;
  }
}

int32_t Variant::ErrorCode() const { return m_type == vtError ? static_cast<int32_t>(m_number) : 0; }

VariantOrder CompareVariants(const Variant& a, const Variant& b) {
  const auto comparable = [](const Variant& v) {
    return v.IsEmpty() || v.IsNumeric() || v.VarType() == vtString;
  };
  if (!comparable(a) || !comparable(b)) return VariantOrder::Unordered;  // NULL, objects, error values

  const bool aText = a.VarType() == vtString;
  const bool bText = b.VarType() == vtString;
  if (aText && bText) return CompareValues(a.Text(), b.Text());
  if (aText || bText) {
    // Empty takes the other side's type; a real number sorts before any text.
    if (a.IsEmpty()) return CompareValues(std::string(), b.Text());
    if (b.IsEmpty()) return CompareValues(a.Text(), std::string());
    return aText ? VariantOrder::Greater : VariantOrder::Less;
  }
  return CompareValues(a.Number(), b.Number());  // Empty's payload is 0
}

bool operator==(const Variant& a, const Variant& b) { return CompareVariants(a, b) == VariantOrder::Equal; }
bool operator<(const Variant& a, const Variant& b) { return CompareVariants(a, b) == VariantOrder::Less; }
bool operator>(const Variant& a, const Variant& b) { return CompareVariants(a, b) == VariantOrder::Greater; }

}  // namespace zazorazari
