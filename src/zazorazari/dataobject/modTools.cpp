// Value, text and SQL helpers shared by the records, the rules and the XML
// exchange; they hold no state.
#include "zazorazari/dataobject/modTools.h"

#include <utility>
#include <vector>

#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The runtime's leading-number rule: blanks, tabs and line feeds anywhere are
// ignored; a sign, digits with at most one ".", and an exponent (E or D) are
// taken up to the first character that does not fit; no number gives 0.
double LeadingNumber(std::string_view text) {
  std::string compact;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') compact += c;
  }
  size_t i = 0;
  if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) ++i;
  const size_t mantissaStart = i;
  while (i < compact.size() && IsDigit(compact[i])) ++i;
  if (i < compact.size() && compact[i] == '.') ++i;
  while (i < compact.size() && IsDigit(compact[i])) ++i;
  const std::string_view mantissa = std::string_view(compact).substr(mantissaStart, i - mantissaStart);
  if (mantissa.empty() || mantissa == ".") return 0;

  if (i < compact.size() && (compact[i] == 'E' || compact[i] == 'e' || compact[i] == 'D' || compact[i] == 'd')) {
    size_t j = i + 1;
    if (j < compact.size() && (compact[j] == '+' || compact[j] == '-')) ++j;
    if (j < compact.size() && IsDigit(compact[j])) {
      while (j < compact.size() && IsDigit(compact[j])) ++j;
      i = j;
    }
  }
  return CDbl(Variant(compact.substr(0, i)));
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  size_t start = 0;
  for (size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

std::string IsNullCriterion(const std::string& strField) { return "ISNULL(" + strField + ")"; }

}  // namespace

bool IsEqualOrBothNull(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
  return a == b;
}

std::string SqlEqualText(const std::string& strField, const Variant& value) {
  if (value.IsNull()) return IsNullCriterion(strField);
  if (!value.IsEmpty() && value.VarType() != vtString) throw RuntimeError(errTypeMismatch);
  // Doubling the quote makes the engine read back exactly this text, so a
  // value can never end the literal early and become SQL.
  std::string literal = value.Text();
  ReplaceAll(literal, "\"", "\"\"");
  return strField + "=\"" + literal + "\"";
}

std::string SqlEqualNumber(const std::string& strField, const Variant& value) {
  switch (value.VarType()) {
    case vtNull: return IsNullCriterion(strField);
    case vtInteger:
    case vtLong:
    case vtByte:
    case vtSingle:
    case vtDouble:
    case vtCurrency: return strField + "=" + CStr(value);
    case vtString:
    case vtBoolean:
    case vtDate: return strField + "=" + CStr(Variant(CDbl(value)));  // the number it stands for
    default: throw RuntimeError(errTypeMismatch);
  }
}

std::string ErrorInfoText(const Error& err) {
  return "<Error/" + std::to_string(err.Number()) + "/" + err.Source() + "/" + err.Description() + ">";
}

Variant ParseNumber(const std::string& text) {
  std::string withPoints = text;
  ReplaceAll(withPoints, ",", ".");
  return LeadingNumber(withPoints);
}

std::string QuotesToApostrophes(const std::string& text) {
  std::string result = text;
  ReplaceAll(result, "\"", "'");
  return result;
}

double ParseDateText(const std::string& text) {
  const char separator = text.find('/') != std::string::npos   ? '/'
                         : text.find(':') != std::string::npos ? ':'
                                                               : '.';
  const std::vector<std::string> parts = Split(text, separator);
  if (parts.size() < 3) throw RuntimeError(errSubscriptOutOfRange);
  int16_t numbers[3];
  for (size_t i = 0; i < 3; ++i) numbers[i] = CInt(LeadingNumber(parts[i]));

  switch (separator) {
    case ':': return TimeSerial(numbers[0], numbers[1], numbers[2]);
    case '/': {
      const int32_t year = numbers[2] < 100 ? numbers[2] + 1900 : numbers[2];
      return DateSerial(year, numbers[0], numbers[1]);
    }
    default: {
      const int32_t year = numbers[2] < 100 ? numbers[2] + 1900 : numbers[2];
      return DateSerial(year, numbers[1], numbers[0]);
    }
  }
}

Variant TextToFieldValue(const std::string& text, int32_t lDataType) {
  switch (lDataType) {
    case 2:   // byte
    case 3:   // 16-bit integer
    case 4:   // 32-bit integer
    case 6:   // single
    case 7:   // double
    case 19:  // numeric
      return ParseNumber(text);
    case 8:  // date and time
      return Variant::Date(ParseDateText(text));
    default:  // text; the engine converts booleans and currency on storing
      return QuotesToApostrophes(text);
  }
}

std::string ValueToExportText(const Variant& value) {
  if (value.IsNull()) return "";
  std::string text;
  if (value.VarType() == vtDate) {
    text = FormatLongTime(value.Number());
    if (text == "00:00:00") text = FormatShortDate(value.Number());
  } else {
    text = CStr(value);
  }
  if (text.find('\xC3') == std::string::npos) return text;  // every umlaut below begins so in UTF-8
  for (const auto& [umlaut, spelled] : {std::pair{"ä", "ae"}, std::pair{"Ä", "Ae"}, std::pair{"ö", "oe"},
                                        std::pair{"Ö", "Oe"}, std::pair{"ü", "ue"}, std::pair{"Ü", "Ue"},
                                        std::pair{"ß", "ss"}}) {
    ReplaceAll(text, umlaut, spelled);
  }
  return text;
}

}  // namespace zazorazari
