// VB-style conversions of a Variant under the fixed regional settings
// (decimal point ".", no grouping, dates "dd.mm.yyyy", times "hh:mm:ss").
// A NULL fails with 94, a text that is no number with 13, a value out of
// range with 6.
#pragma once

#include <cstdint>
#include <string>

#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

std::string CStr(const Variant& v);
int32_t CLng(const Variant& v);   // nearest, halves to even
int16_t CInt(const Variant& v);   // nearest, halves to even
double CDbl(const Variant& v);
float CSng(const Variant& v);
bool CBool(const Variant& v);
double CDate(const Variant& v);   // days since 30 December 1899

// Nearest whole number, halves to the even neighbour.
double RoundHalfEven(double x);

// Reads the date forms the engine and CDate accept: d.m.yyyy[ h:mm[:ss]],
// h:mm[:ss] (day 0), m/d/yyyy[ h:mm[:ss]], yyyy-mm-dd, yyyy-mm-ddThh:mm:ss.
// Two-digit years 00-29 are 20xx, 30-99 19xx. Fails with 13.
double DateFromText(const std::string& text);

// Days since 30 December 1899 from a calendar date and a time of day; month,
// day, hours, minutes and seconds out of range carry over into the next unit.
double DateSerial(int32_t year, int32_t month, int32_t day);
double TimeSerial(int32_t hour, int32_t minute, int32_t second);

struct DateParts {
  int32_t year, month, day, hour, minute, second;
};
// Calendar parts of a date value, the time rounded to whole seconds.
DateParts SplitDate(double days);

// Regional text forms: "dd.mm.yyyy", "hh:mm:ss", and the default text of a
// date (the date, then " hh:mm:ss" unless midnight; the time alone on day 0).
std::string FormatShortDate(double days);
std::string FormatLongTime(double days);
std::string FormatDateDefault(double days);
// ISO 8601: "2003-12-24T14:30:00", or "2003-12-24" at midnight.
std::string FormatIsoDate(double days);

// Default text of a double with the given significant digits (15 for Double,
// 7 for Single): trailing zeros dropped, fixed for 1E-4 <= |x| < 1E15,
// otherwise "1E-05", "1.5E+15".
std::string FormatNumber(double value, int significantDigits);

}  // namespace zazorazari
#pragma GCC visibility pop
