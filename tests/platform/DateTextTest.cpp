// Date values: calendar arithmetic with carry-over, the accepted text forms
// and the regional text forms.
#include <gtest/gtest.h>

#include <array>

#include "support/ErrorCapture.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

using namespace zazorazari;

namespace {

constexpr double kChristmasEve2003 = 37979;
constexpr double kHalfPastTwo = 14.5 / 24;

}  // namespace

TEST(DateText, AcceptedFormsGiveTheSameDate) {
  EXPECT_EQ(DateFromText("24.12.2003"), kChristmasEve2003);
  EXPECT_EQ(DateFromText("12/24/2003"), kChristmasEve2003);
  EXPECT_EQ(DateFromText("2003-12-24"), kChristmasEve2003);
  EXPECT_EQ(DateFromText(" 24.12.03 "), kChristmasEve2003);
  EXPECT_DOUBLE_EQ(DateFromText("24.12.2003 14:30"), kChristmasEve2003 + kHalfPastTwo);
  EXPECT_DOUBLE_EQ(DateFromText("2003-12-24T14:30:00"), kChristmasEve2003 + kHalfPastTwo);
  EXPECT_DOUBLE_EQ(DateFromText("14:30"), kHalfPastTwo);
  EXPECT_EQ(DateFromText("1.1.29"), DateSerial(2029, 1, 1));
  EXPECT_EQ(DateFromText("1.1.30"), DateSerial(1930, 1, 1));
  EXPECT_EQ(DateFromText("1.1.1800"), -36522);
}

TEST(DateText, InvalidCalendarValuesAndOtherTextsFail) {
  for (const char* text : {"13/1/2003", "31.02.2003", "29.02.2003", "24:00", "12:60", "2003-12-24T14:30",
                           "24.12.2003x", "24.12.", "abc", "", "3.5", "24-12-2003"}) {
    EXPECT_EQ(zaztest::CaughtError([&] { DateFromText(text); }).Number(), errTypeMismatch) << text;
  }
  EXPECT_EQ(DateFromText("29.02.2004"), DateSerial(2004, 2, 29));
}

TEST(DateText, SerialsCarryOverIntoTheNextUnit) {
  EXPECT_EQ(DateSerial(1899, 12, 30), 0);
  EXPECT_EQ(DateSerial(2003, 14, 1), DateSerial(2004, 2, 1));
  EXPECT_EQ(DateSerial(2003, 0, 1), DateSerial(2002, 12, 1));
  EXPECT_EQ(DateSerial(2003, 2, 31), DateSerial(2003, 3, 3));
  EXPECT_EQ(DateSerial(2004, 3, 0), DateSerial(2004, 2, 29));
  EXPECT_DOUBLE_EQ(TimeSerial(25, 0, 0), 1 + 1.0 / 24);
  EXPECT_DOUBLE_EQ(TimeSerial(0, 90, 60), 91.0 / 1440);
  EXPECT_EQ(FormatDateDefault(TimeSerial(-1, 0, 0)), "29.12.1899 23:00:00");
}

TEST(DateText, SplitAndFormatBeforeAndAfterDayZero) {
  const DateParts p = SplitDate(kChristmasEve2003 + kHalfPastTwo);
  EXPECT_EQ((std::array{p.year, p.month, p.day, p.hour, p.minute, p.second}),
            (std::array{2003, 12, 24, 14, 30, 0}));
  // Before day 0 the fraction is still the time of day.
  EXPECT_EQ(FormatDateDefault(-1.25), "29.12.1899 06:00:00");
  EXPECT_EQ(FormatDateDefault(-0.5), "12:00:00");
  EXPECT_EQ(FormatShortDate(DateSerial(2100, 12, 31)), "31.12.2100");
  // Times round to whole seconds, and may round into the next day.
  EXPECT_EQ(FormatDateDefault(kChristmasEve2003 + 0.9999999), "25.12.2003");
  EXPECT_EQ(FormatLongTime(kChristmasEve2003 + kHalfPastTwo + 0.4 / 86400), "14:30:00");
}
