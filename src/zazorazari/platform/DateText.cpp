// Date values (days since 30 December 1899, the time of day as the fraction)
// built from calendar parts, split into them, read from text and formatted.
// Before day 0 the runtime stores the day negative but the time of day still
// positive (-1.25 is 29 December 1899 06:00), so arithmetic goes through a
// linear day count.
#include <cmath>
#include <cstdio>
#include <string_view>

#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

namespace {

constexpr long long kSecondsPerDay = 86400;
// The runtime's range: 1 January 100 to 31 December 9999.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;

constexpr long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

// Days from 1 January 1970 (proleptic Gregorian calendar).
constexpr long long DaysFromCivil(long long year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const long long era = FloorDiv(year, 400);
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long long days, int32_t& year, int32_t& month, int32_t& day) {
  days += 719468;
  const long long era = FloorDiv(days, 146097);
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int32_t>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int32_t>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = static_cast<int32_t>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

constexpr long long kDayZero = DaysFromCivil(1899, 12, 30);
static_assert(kDayZero == -25569);

double ToLinear(double value) {
  if (value >= 0) return value;
  const double day = std::trunc(value);
  return day + (day - value);
}

double FromLinear(double linear) {
  if (linear >= 0) return linear;
  const double day = std::floor(linear);
  return day - (linear - day);
}

int DaysInMonth(int year, int month) {
  return static_cast<int>(DaysFromCivil(month == 12 ? year + 1 : year, month == 12 ? 1 : month + 1, 1) -
                          DaysFromCivil(year, month, 1));
}

// A cursor over a date text; each step either matches or leaves the text
// unparsed (then the form is rejected).
class DateScanner {
 public:
  explicit DateScanner(std::string_view text) : m_text(text) {}

  bool Number(size_t minDigits, size_t maxDigits, int& value, size_t* digitCount = nullptr) {
    size_t count = 0;
    value = 0;
    while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9' && count < maxDigits) {
      value = value * 10 + (m_text[m_pos++] - '0');
      ++count;
    }
    if (digitCount != nullptr) *digitCount = count;
    return count >= minDigits;
  }
  bool Char(char c) {
    if (m_pos >= m_text.size() || m_text[m_pos] != c) return false;
    ++m_pos;
    return true;
  }
  bool Blanks() {
    const size_t start = m_pos;
    while (m_pos < m_text.size() && m_text[m_pos] == ' ') ++m_pos;
    return m_pos > start;
  }
  bool AtEnd() const { return m_pos == m_text.size(); }

 private:
  std::string_view m_text;
  size_t m_pos = 0;
};

struct TextDate {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};

bool ScanTime(DateScanner& s, TextDate& d, bool secondsRequired) {
  if (!s.Number(1, 2, d.hour) || !s.Char(':') || !s.Number(1, 2, d.minute)) return false;
  if (s.Char(':')) return s.Number(1, 2, d.second);
  return !secondsRequired;
}

// Blanks and a time of day, or nothing.
bool ScanOptionalTime(DateScanner& s, TextDate& d) {
  if (s.AtEnd()) return true;
  return s.Blanks() && ScanTime(s, d, false) && s.AtEnd();
}

bool ScanYear(DateScanner& s, TextDate& d) {
  size_t digits = 0;
  if (!s.Number(1, 4, d.year, &digits)) return false;
  if (digits <= 2) d.year += d.year < 30 ? 2000 : 1900;
  return true;
}

bool ScanRegional(DateScanner s, TextDate& d) {
  return s.Number(1, 2, d.day) && s.Char('.') && s.Number(1, 2, d.month) && s.Char('.') && ScanYear(s, d) &&
         ScanOptionalTime(s, d);
}

bool ScanAmerican(DateScanner s, TextDate& d) {
  return s.Number(1, 2, d.month) && s.Char('/') && s.Number(1, 2, d.day) && s.Char('/') && ScanYear(s, d) &&
         ScanOptionalTime(s, d);
}

bool ScanIso(DateScanner s, TextDate& d) {
  if (!(s.Number(4, 4, d.year) && s.Char('-') && s.Number(2, 2, d.month) && s.Char('-') && s.Number(2, 2, d.day)))
    return false;
  if (s.AtEnd()) return true;
  return s.Char('T') && ScanTime(s, d, true) && s.AtEnd();
}

bool ScanTimeOnly(DateScanner s, TextDate& d) { return ScanTime(s, d, false) && s.AtEnd(); }

bool IsValid(const TextDate& d) {
  return d.year >= 100 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= DaysInMonth(d.year, d.month) && d.hour <= 23 && d.minute <= 59 && d.second <= 59;
}

}  // namespace

double DateSerial(int32_t year, int32_t month, int32_t day) {
  const long long monthIndex = static_cast<long long>(month) - 1;
  const long long days = DaysFromCivil(year + FloorDiv(monthIndex, 12),
                                       static_cast<int>(monthIndex - FloorDiv(monthIndex, 12) * 12) + 1, 1) -
                         kDayZero + (static_cast<long long>(day) - 1);
  if (days < kFirstDay || days > kLastDay) throw RuntimeError(errOverflow);
  return static_cast<double>(days);
}

double TimeSerial(int32_t hour, int32_t minute, int32_t second) {
  const long long seconds = static_cast<long long>(hour) * 3600 + static_cast<long long>(minute) * 60 + second;
  return FromLinear(static_cast<double>(seconds) / kSecondsPerDay);
}

DateParts SplitDate(double days) {
  // Outside the runtime's range (or NaN) there is no calendar date, and the
  // second count below would not fit its integer.
  if (!(days >= kFirstDay && days < kLastDay + 1)) throw RuntimeError(errOverflow);
  const long long seconds = std::llround(ToLinear(days) * kSecondsPerDay);
  const long long day = FloorDiv(seconds, kSecondsPerDay);
  const long long secondOfDay = seconds - day * kSecondsPerDay;
  DateParts parts{};
  CivilFromDays(day + kDayZero, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int32_t>(secondOfDay / 3600);
  parts.minute = static_cast<int32_t>(secondOfDay / 60 % 60);
  parts.second = static_cast<int32_t>(secondOfDay % 60);
  return parts;
}

std::string FormatShortDate(double days) {
  const DateParts p = SplitDate(days);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", p.day, p.month, p.year);
  return text;
}

std::string FormatLongTime(double days) {
  const DateParts p = SplitDate(days);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", p.hour, p.minute, p.second);
  return text;
}

std::string FormatDateDefault(double days) {
  const DateParts p = SplitDate(days);
  if (p.year == 1899 && p.month == 12 && p.day == 30) return FormatLongTime(days);
  if (p.hour == 0 && p.minute == 0 && p.second == 0) return FormatShortDate(days);
  return FormatShortDate(days) + " " + FormatLongTime(days);
}

std::string FormatIsoDate(double days) {
  const DateParts p = SplitDate(days);
  char text[48];
  if (p.hour == 0 && p.minute == 0 && p.second == 0) {
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", p.year, p.month, p.day);
  } else {
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                  p.second);
  }
  return text;
}

double DateFromText(const std::string& text) {
  std::string_view trimmed(text);
  while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t')) trimmed.remove_prefix(1);
  while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) trimmed.remove_suffix(1);

  TextDate d;
  const auto readAs = [&](bool (*scan)(DateScanner, TextDate&)) {
    d = TextDate{};
    return scan(DateScanner(trimmed), d);
  };
  const bool read = readAs(ScanIso) || readAs(ScanRegional) || readAs(ScanAmerican) || readAs(ScanTimeOnly);
  if (!read || !IsValid(d)) throw RuntimeError(errTypeMismatch);
  const double day = DateSerial(d.year, d.month, d.day);
  return FromLinear(ToLinear(day) + static_cast<double>(d.hour * 3600 + d.minute * 60 + d.second) / kSecondsPerDay);
}

}  // namespace zazorazari
