// Variant construction and the runtime's ordering of values across types.
#include <gtest/gtest.h>

#include "zazorazari/platform/Variant.h"

using namespace zazorazari;

TEST(Variant, ConstructorsKeepTheRuntimeTypes) {
  EXPECT_EQ(Variant(true).VarType(), vtBoolean);
  EXPECT_EQ(Variant(true).Number(), -1);
  EXPECT_EQ(Variant(int16_t{7}).VarType(), vtInteger);
  EXPECT_EQ(Variant(7).VarType(), vtLong);
  EXPECT_EQ(Variant("x").VarType(), vtString);  // never bool
  EXPECT_EQ(Variant::Currency(1.23456).Number(), 1.2346);
  const Variant error = Variant::Error(13);
  EXPECT_TRUE(error.IsError());
  EXPECT_EQ(error.ErrorCode(), 13);
  EXPECT_FALSE(error.IsNumeric());
}

TEST(Variant, NumbersCompareByValueAcrossTypes) {
  EXPECT_TRUE(Variant(int16_t{3}) == Variant(3.0));
  EXPECT_TRUE(Variant(true) == Variant(-1));
  EXPECT_TRUE(Variant::Date(37979) == Variant(37979));
  EXPECT_TRUE(Variant(0.5f) == Variant(0.5));
  EXPECT_TRUE(Variant(2) < Variant(2.5));
  EXPECT_TRUE(Variant::Byte(200) > Variant(int16_t{-1}));
}

TEST(Variant, TextComparesExactlyAndAfterNumbers) {
  EXPECT_FALSE(Variant("Meier") == Variant("meier"));
  EXPECT_TRUE(Variant("A") < Variant("a"));
  EXPECT_TRUE(Variant(5) < Variant("5"));
  EXPECT_TRUE(Variant("0") > Variant(1000000));
  EXPECT_TRUE(Variant() == Variant(""));
  EXPECT_TRUE(Variant() == Variant(0));
  EXPECT_TRUE(Variant() > Variant(-1));
}

TEST(Variant, NullAndErrorValuesAreUnordered) {
  EXPECT_EQ(CompareVariants(Variant::Null(), Variant(0)), VariantOrder::Unordered);
  EXPECT_EQ(CompareVariants(Variant(""), Variant::Null()), VariantOrder::Unordered);
  EXPECT_FALSE(Variant::Null() == Variant::Null());
  EXPECT_FALSE(Variant::Null() < Variant(1));
  EXPECT_EQ(CompareVariants(Variant::Error(5), Variant::Error(5)), VariantOrder::Unordered);
}
