// The runtime's conversions: default texts, rounding, range and type checks.
#include <gtest/gtest.h>

#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

using namespace zazorazari;

namespace {

template <typename F>
int32_t ErrorNumberOf(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace

TEST(Conversions, CStrWritesNumbersWithTheirSignificantDigits) {
  EXPECT_EQ(CStr(0.1), "0.1");
  EXPECT_EQ(CStr(-0.5), "-0.5");
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
  EXPECT_EQ(CStr(Variant::Currency(-2)), "-2");
  EXPECT_EQ(CStr(int16_t{-5}), "-5");
  EXPECT_EQ(CStr(2147483647), "2147483647");
}

TEST(Conversions, CStrOfOtherTypes) {
  EXPECT_EQ(CStr(true), "True");
  EXPECT_EQ(CStr(false), "False");
  EXPECT_EQ(CStr(Variant()), "");
  EXPECT_EQ(CStr("text"), "text");
  EXPECT_EQ(CStr(Variant::Date(37979)), "24.12.2003");
  EXPECT_EQ(CStr(Variant::Date(37979 + 14.5 / 24)), "24.12.2003 14:30:00");
  EXPECT_EQ(CStr(Variant::Date(0.5)), "12:00:00");
  EXPECT_EQ(CStr(Variant::Date(0)), "00:00:00");
  EXPECT_EQ(ErrorNumberOf([] { CStr(Variant::Null()); }), errInvalidUseOfNull);
}

TEST(Conversions, WholeNumbersRoundHalfToEven) {
  EXPECT_EQ(CLng(2.5), 2);
  EXPECT_EQ(CLng(3.5), 4);
  EXPECT_EQ(CLng(-2.5), -2);
  EXPECT_EQ(CLng(-3.5), -4);
  EXPECT_EQ(CLng(2.500001), 3);
  EXPECT_EQ(CLng("2.5"), 2);
  EXPECT_EQ(CInt(true), -1);
  EXPECT_EQ(CInt(-32768.5), -32768);
  EXPECT_EQ(ErrorNumberOf([] { CInt(32767.5); }), errOverflow);
  EXPECT_EQ(ErrorNumberOf([] { CLng(2147483648.0); }), errOverflow);
  EXPECT_EQ(ErrorNumberOf([] { CSng(1E39); }), errOverflow);
  EXPECT_EQ(ErrorNumberOf([] { CLng("12abc"); }), errTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { CLng(Variant::Null()); }), errInvalidUseOfNull);
}

TEST(Conversions, TextReadsAsANumberOnlyWhenItIsOne) {
  EXPECT_EQ(CDbl("3.5"), 3.5);
  EXPECT_EQ(CDbl(" -1.5D2 "), -150);
  EXPECT_EQ(CDbl("+2e-1"), 0.2);
  EXPECT_EQ(CDbl(".5"), 0.5);
  EXPECT_EQ(CDbl(Variant()), 0);
  EXPECT_EQ(CDbl("1E-400"), 0);
  EXPECT_EQ(ErrorNumberOf([] { CDbl("1E400"); }), errOverflow);
  for (const char* text : {"", "abc", "True", "1,5", "1.2.3", "1e", "--1"}) {
    EXPECT_EQ(ErrorNumberOf([&] { CDbl(text); }), errTypeMismatch) << text;
  }
}

TEST(Conversions, BooleansAndDates) {
  EXPECT_TRUE(CBool("true"));
  EXPECT_FALSE(CBool("False"));
  EXPECT_FALSE(CBool("0"));
  EXPECT_TRUE(CBool(0.1));
  EXPECT_EQ(ErrorNumberOf([] { CBool("Yes"); }), errTypeMismatch);
  EXPECT_EQ(CDate("24.12.2003"), 37979);
  EXPECT_EQ(CDate(37979), 37979);
  EXPECT_EQ(ErrorNumberOf([] { CDate("3.5"); }), errTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { CDate(1E7); }), errOverflow);
}
