// The runtime's conversions of a Variant (CStr, CLng, CDbl ...) and the
// default text of numbers under the fixed regional settings.
#include "zazorazari/platform/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cmath>
#include <limits>
#include <string_view>

#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal order of magnitude of a number text "[-]digits[.digits][e[-]digits]",
// only to tell an overflow from an underflow when the text is out of range.
long DecimalOrder(std::string_view number) {
  size_t i = number.starts_with('-') ? 1 : 0;
  long order = 0;
  while (i < number.size() && number[i] == '0') ++i;
  while (i < number.size() && IsDigit(number[i])) ++order, ++i;
  if (i < number.size() && number[i] == '.') {
    ++i;
    if (order == 0) {
      while (i < number.size() && number[i] == '0') --order, ++i;
    }
    while (i < number.size() && IsDigit(number[i])) ++i;
  }
  if (i < number.size() && number[i] == 'e') {
    ++i;
    const bool negative = i < number.size() && number[i] == '-';
    if (negative) ++i;
    long exponent = 0;
    while (i < number.size() && IsDigit(number[i])) exponent = std::min(exponent * 10 + (number[i++] - '0'), 100000L);
    order += negative ? -exponent : exponent;
  }
  return order;
}

// Reads a text that is a whole decimal number: blanks around it, an optional
// sign, digits with at most one ".", an optional exponent with E or D.
bool ReadNumberText(std::string_view text, double& result) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);

  size_t i = 0;
  const bool plus = i < text.size() && text[i] == '+';
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  int mantissaDigits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++mantissaDigits;
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  size_t exponent = std::string_view::npos;  // where its letter stands
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    exponent = i++;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == text.size() || !IsDigit(text[i])) return false;
    while (i < text.size() && IsDigit(text[i])) ++i;
  }
  if (i != text.size()) return false;

  // from_chars reads most texts as they stand; a leading "+", an exponent
  // letter other than "e" and an exponent's "+" are rewritten first.
  std::string rewritten;
  std::string_view number = text;
  if (plus || (exponent != std::string_view::npos && (text[exponent] != 'e' || text[exponent + 1] == '+'))) {
    rewritten = text.substr(plus ? 1 : 0);
    if (exponent != std::string_view::npos) {
      const size_t at = exponent - (plus ? 1 : 0);
      rewritten[at] = 'e';
      if (rewritten[at + 1] == '+') rewritten.erase(at + 1, 1);
    }
    number = rewritten;
  }
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), result);
  if (ec == std::errc::result_out_of_range) {
    if (DecimalOrder(number) > 0) throw RuntimeError(errOverflow);
    result = 0;  // too small to tell from zero
  }
  return true;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

double RoundedInRange(const Variant& v, double low, double high) {
  const double rounded = RoundHalfEven(CDbl(v));
  if (!(rounded >= low && rounded <= high)) throw RuntimeError(errOverflow);
  return rounded;
}

}  // namespace

double RoundHalfEven(double x) {
  if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
  return std::round(x);
}

std::string FormatNumber(double value, int significantDigits) {
  if (!std::isfinite(value)) throw RuntimeError(errOverflow);
  if (value == 0) return "0";

  // Scientific form rounded to the significant digits: "-d.ddde+XX". Built
  // in fixed buffers: exports format every number of a database this way.
  // A normal double's shortest form that reads back as itself is that
  // rounding when it has 15 digits or fewer (the value lies within half a
  // unit of its 17th digit of it), and far quicker to make.
  char scientific[64];
  const char* end = std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific).ptr;
  const auto shortestDigits = std::count_if(static_cast<const char*>(scientific),
                                            std::find(static_cast<const char*>(scientific), end, 'e'), IsDigit);
  if (significantDigits != 15 || !std::isnormal(value) || shortestDigits > 15) {
    end = std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific,
                        significantDigits - 1).ptr;
  }
  const bool negative = scientific[0] == '-';
  const char* const e = std::find(static_cast<const char*>(scientific), end, 'e');
  char digits[64];
  size_t count = 0;
  for (const char* c = scientific; c != e; ++c) {
    if (IsDigit(*c)) digits[count++] = *c;
  }
  while (count > 1 && digits[count - 1] == '0') --count;
  int exponent = 0;
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);

  char text[128];
  size_t n = 0;
  const auto put = [&](char c) { text[n++] = c; };
  const auto putDigits = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) put(digits[i]);
  };
  if (negative) put('-');
  if (exponent < -4 || exponent >= 15) {
    put(digits[0]);
    if (count > 1) {
      put('.');
      putDigits(1, count);
    }
    put('E');
    put(exponent < 0 ? '-' : '+');
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) put('0');
    n = static_cast<size_t>(std::to_chars(text + n, text + sizeof text, magnitude).ptr - text);
  } else if (exponent >= 0) {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    putDigits(0, std::min(whole, count));
    for (size_t i = count; i < whole; ++i) put('0');
    if (count > whole) {
      put('.');
      putDigits(whole, count);
    }
  } else {
    put('0');
    put('.');
    for (int i = 0; i < -exponent - 1; ++i) put('0');
    putDigits(0, count);
  }
  return std::string(text, n);
}

std::string CStr(const Variant& v) {
  switch (v.VarType()) {
    case vtEmpty: return "";
    case vtNull: throw RuntimeError(errInvalidUseOfNull);
    case vtInteger:
    case vtLong:
    case vtByte: return std::to_string(static_cast<long long>(v.Number()));
    case vtSingle: return FormatNumber(v.Number(), 7);
    case vtDouble: return FormatNumber(v.Number(), 15);
    case vtCurrency: {
      char buffer[64];
      const auto end = std::to_chars(buffer, buffer + sizeof buffer, v.Number(), std::chars_format::fixed, 4).ptr;
      std::string text(buffer, end);
      while (text.back() == '0') text.pop_back();
      if (text.back() == '.') text.pop_back();
      return text == "-0" ? "0" : text;
    }
    case vtDate: return FormatDateDefault(v.Number());
    case vtString: return v.Text();
    case vtError: return "Error " + std::to_string(v.ErrorCode());
    case vtBoolean: return v.Number() != 0 ? "True" : "False";
    default: throw RuntimeError(errTypeMismatch);
  }
}

double CDbl(const Variant& v) {
  if (v.IsNull()) throw RuntimeError(errInvalidUseOfNull);
  if (v.IsEmpty() || v.IsNumeric()) return v.Number();
  double result = 0;
  if (v.VarType() == vtString && ReadNumberText(v.Text(), result)) return result;
  throw RuntimeError(errTypeMismatch);
}

float CSng(const Variant& v) {
  const double value = CDbl(v);
  const auto single = static_cast<float>(value);
  if (std::isinf(single)) throw RuntimeError(errOverflow);
  return single;
}

int32_t CLng(const Variant& v) {
  return static_cast<int32_t>(
      RoundedInRange(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int16_t CInt(const Variant& v) {
  return static_cast<int16_t>(
      RoundedInRange(v, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

bool CBool(const Variant& v) {
  if (v.VarType() == vtString) {
    if (EqualsIgnoringCase(v.Text(), "True")) return true;
    if (EqualsIgnoringCase(v.Text(), "False")) return false;
  }
  return CDbl(v) != 0;
}

double CDate(const Variant& v) {
  if (v.VarType() == vtString) return DateFromText(v.Text());
  const double days = CDbl(v);
  // The runtime's date range: 1 January 100 to 31 December 9999.
  if (!(days >= -657434.0 && days < 2958466.0)) throw RuntimeError(errOverflow);
  return days;
}

}  // namespace zazorazari
