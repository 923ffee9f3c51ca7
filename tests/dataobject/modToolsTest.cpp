// The shared value, text and SQL helpers: NULL handling, quoting of criteria,
// the lenient number and date readers, and the export text form.
#include <gtest/gtest.h>

#include "support/ErrorCapture.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

using namespace zazorazari;
using zaztest::CaughtError;

TEST(modTools, IsEqualOrBothNullTreatsNullAsAValue) {
  EXPECT_TRUE(IsEqualOrBothNull(Variant::Null(), Variant::Null()));
  EXPECT_FALSE(IsEqualOrBothNull(Variant::Null(), Variant(0)));
  EXPECT_FALSE(IsEqualOrBothNull(Variant(""), Variant::Null()));
  EXPECT_TRUE(IsEqualOrBothNull(Variant(int16_t{3}), Variant(3.0)));
  EXPECT_FALSE(IsEqualOrBothNull(Variant("a"), Variant("A")));
}

// How a criterion reads back is the dialect's and injection tests' business;
// here only what the helpers must refuse.
TEST(modTools, CriteriaRefuseWhatIsNotTheirType) {
  EXPECT_EQ(CaughtError([] { SqlEqualText("pilLastName", 5); }).Number(), errTypeMismatch);
  EXPECT_EQ(CaughtError([] { SqlEqualText("pilBirthdate", Variant::Date(1)); }).Number(), errTypeMismatch);
  for (const Variant& bad : {Variant("12 OR 1=1"), Variant("x"), Variant()}) {
    EXPECT_EQ(CaughtError([&] { SqlEqualNumber("tasPk", bad); }).Number(), errTypeMismatch);
  }
}

TEST(modTools, ParseNumberReadsTheLeadingNumber) {
  EXPECT_EQ(ParseNumber("3,5").VarType(), vtDouble);
  EXPECT_EQ(ParseNumber("3,5").Number(), 3.5);
  EXPECT_EQ(ParseNumber("3.5").Number(), 3.5);
  EXPECT_EQ(ParseNumber("12 345").Number(), 12345);
  EXPECT_EQ(ParseNumber("1,234.5").Number(), 1.234);
  EXPECT_EQ(ParseNumber("abc").Number(), 0);
  EXPECT_EQ(ParseNumber(" -4.5 m").Number(), -4.5);
  EXPECT_EQ(ParseNumber("1.5e3").Number(), 1500);
  EXPECT_EQ(ParseNumber("2d-1x").Number(), 0.2);
  EXPECT_EQ(ParseNumber("7E").Number(), 7);
  EXPECT_EQ(CaughtError([] { ParseNumber("1E400"); }).Number(), errOverflow);
}

TEST(modTools, ParseDateTextCarriesOverAndPicksTheFormBySeparator) {
  const double christmasEve = DateSerial(2003, 12, 24);
  EXPECT_EQ(ParseDateText("24.12.2003"), christmasEve);
  EXPECT_EQ(ParseDateText("12/24/2003"), christmasEve);
  EXPECT_EQ(ParseDateText("24.12.03"), DateSerial(1903, 12, 24));
  EXPECT_DOUBLE_EQ(ParseDateText("14:30:00"), 14.5 / 24);
  EXPECT_DOUBLE_EQ(ParseDateText("24.12.2003 14:30:00"), 1 + 0.5 / 24);  // 31.12.1899 00:30
  EXPECT_EQ(ParseDateText("31.02.2003"), DateSerial(2003, 3, 3));
  EXPECT_EQ(ParseDateText("0.1.2004"), DateSerial(2003, 12, 31));
  EXPECT_EQ(ParseDateText("1.13.2003.99"), DateSerial(2004, 1, 1));
  EXPECT_EQ(ParseDateText("12/24.5/2003"), christmasEve);  // halves to even
  EXPECT_EQ(CaughtError([] { ParseDateText(""); }).Number(), errSubscriptOutOfRange);
  EXPECT_EQ(CaughtError([] { ParseDateText("1.2"); }).Number(), errSubscriptOutOfRange);
  EXPECT_EQ(CaughtError([] { ParseDateText("1.1.40000"); }).Number(), errOverflow);
}

TEST(modTools, TextToFieldValueByColumnType) {
  EXPECT_EQ(TextToFieldValue("", 4).VarType(), vtDouble);
  EXPECT_EQ(TextToFieldValue("17", 2).Number(), 17);
  EXPECT_EQ(TextToFieldValue("", 10).Text(), "");
  EXPECT_EQ(TextToFieldValue("say \"hi\"", 12).Text(), "say 'hi'");
  EXPECT_EQ(TextToFieldValue("True", 1).Text(), "True");
  const Variant date = TextToFieldValue("24.12.2003", 8);
  EXPECT_EQ(date.VarType(), vtDate);
  EXPECT_EQ(date.Number(), 37979);
  EXPECT_EQ(CaughtError([] { TextToFieldValue("", 8); }).Number(), errSubscriptOutOfRange);
}

TEST(modTools, ValueToExportText) {
  EXPECT_EQ(ValueToExportText(2.5), "2.5");
  EXPECT_EQ(ValueToExportText(0.1f), "0.1");
  EXPECT_EQ(ValueToExportText(Variant::Null()), "");
  EXPECT_EQ(ValueToExportText(true), "True");
  EXPECT_EQ(ValueToExportText(Variant::Date(37979 + 14.5 / 24)), "14:30:00");
  EXPECT_EQ(ValueToExportText(Variant::Date(37979)), "24.12.2003");
  EXPECT_EQ(ValueToExportText(Variant::Date(0)), "30.12.1899");
  EXPECT_EQ(ValueToExportText("Müller Änne Öl Ü ö ä Straße"), "Mueller Aenne Oel Ue oe ae Strasse");
}
