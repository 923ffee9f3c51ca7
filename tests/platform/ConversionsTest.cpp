// The runtime's conversions: default texts, rounding, range and type checks.
#include <gtest/gtest.h>

#include "support/ErrorCapture.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

using namespace zazorazari;
using zaztest::CaughtError;

TEST(Conversions, CStrWritesNumbersWithTheirSignificantDigits) {
  EXPECT_EQ(CStr(0.1), "0.1");
  EXPECT_EQ(CStr(100.0), "100");
  EXPECT_EQ(CStr(0.0001), "0.0001");
  EXPECT_EQ(CStr(1E-05), "1E-05");
  EXPECT_EQ(CStr(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(CStr(999999999999999.0), "999999999999999");
  EXPECT_EQ(CStr(1.5E+15), "1.5E+15");
  EXPECT_EQ(CStr(123456789012345678.0), "1.23456789012346E+17");
  EXPECT_EQ(CStr(-2.5E-120), "-2.5E-120");
  EXPECT_EQ(CStr(0.1f), "0.1");
  EXPECT_EQ(CStr(1234.567f), "1234.567");
  EXPECT_EQ(CStr(Variant::Currency(1.23456)), "1.2346");
}

TEST(Conversions, CStrOfOtherTypes) {
  EXPECT_EQ(CStr(true), "True");
  EXPECT_EQ(CStr(Variant()), "");
  EXPECT_EQ(CStr(Variant::Date(37979)), "24.12.2003");
  EXPECT_EQ(CStr(Variant::Date(37979 + 14.5 / 24)), "24.12.2003 14:30:00");
  EXPECT_EQ(CStr(Variant::Date(0.5)), "12:00:00");
  EXPECT_EQ(CStr(Variant::Date(0)), "00:00:00");
  EXPECT_EQ(CaughtError([] { CStr(Variant::Null()); }).Number(), errInvalidUseOfNull);
}

TEST(Conversions, WholeNumbersRoundHalfToEven) {
  EXPECT_EQ(CLng(2.5), 2);
  EXPECT_EQ(CLng(3.5), 4);
  EXPECT_EQ(CLng(-2.5), -2);
  EXPECT_EQ(CLng(2.500001), 3);
  EXPECT_EQ(CLng("2.5"), 2);
  EXPECT_EQ(CInt(true), -1);
  EXPECT_EQ(CInt(-32768.5), -32768);
  EXPECT_EQ(CaughtError([] { CInt(32767.5); }).Number(), errOverflow);
  EXPECT_EQ(CaughtError([] { CLng(2147483648.0); }).Number(), errOverflow);
  EXPECT_EQ(CaughtError([] { CSng(1E39); }).Number(), errOverflow);
  EXPECT_EQ(CaughtError([] { CLng("12abc"); }).Number(), errTypeMismatch);
  EXPECT_EQ(CaughtError([] { CLng(Variant::Null()); }).Number(), errInvalidUseOfNull);
}

TEST(Conversions, TextReadsAsANumberOnlyWhenItIsOne) {
  EXPECT_EQ(CDbl(" -1.5D2 "), -150);
  EXPECT_EQ(CDbl("+2e-1"), 0.2);
  EXPECT_EQ(CDbl(".5"), 0.5);
  EXPECT_EQ(CDbl(Variant()), 0);
  EXPECT_EQ(CDbl("1E-400"), 0);
  EXPECT_EQ(CaughtError([] { CDbl("1E400"); }).Number(), errOverflow);
  for (const char* text : {"", "abc", "True", "1,5", "1.2.3", "1e", "--1"}) {
    EXPECT_EQ(CaughtError([&] { CDbl(text); }).Number(), errTypeMismatch) << text;
  }
}

TEST(Conversions, BooleansAndDates) {
  EXPECT_TRUE(CBool("true"));
  EXPECT_FALSE(CBool("False"));
  EXPECT_FALSE(CBool("0"));
  EXPECT_TRUE(CBool(0.1));
  EXPECT_EQ(CaughtError([] { CBool("Yes"); }).Number(), errTypeMismatch);
  EXPECT_EQ(CDate("24.12.2003"), 37979);
  EXPECT_EQ(CaughtError([] { CDate("3.5"); }).Number(), errTypeMismatch);
  EXPECT_EQ(CaughtError([] { CDate(1E7); }).Number(), errOverflow);
}
