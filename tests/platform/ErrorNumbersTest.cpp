// Fixed error texts: hosts match on them, so they must not drift.
#include <gtest/gtest.h>

#include "zazorazari/platform/ErrorNumbers.h"

using namespace zazorazari;

TEST(ErrorNumbers, RuntimeErrorsCarryTheirSourceAndText) {
  const Error e = RuntimeError(errTypeMismatch);
  EXPECT_EQ(e.Number(), 13);
  EXPECT_EQ(e.Source(), "ZAZorazari");
  EXPECT_EQ(e.Description(), "Type mismatch");
  EXPECT_STREQ(e.what(), "Type mismatch");
  EXPECT_EQ(RuntimeError(91).Description(), "Object variable or With block variable not set");
  EXPECT_EQ(RuntimeError(457).Description(), "This key is already associated with an element of this collection");
}

TEST(ErrorNumbers, EngineErrorsFillInTheirDetail) {
  const Error e = EngineError(errEngineFileNotFound, "Engine.Database", "/data/a.mdb");
  EXPECT_EQ(e.Source(), "Engine.Database");
  EXPECT_EQ(e.Description(), "Could not find file '/data/a.mdb'.");
  EXPECT_EQ(EngineError(3075, "Engine.Database", "a ==").Description(), "Syntax error in query expression 'a =='.");
  EXPECT_EQ(EngineError(3343, "Engine.Database", "x").Description(), "Unrecognized database format 'x'.");
  EXPECT_EQ(EngineError(3021, "Engine.Recordset", "ignored").Description(), "No current record.");
  EXPECT_EQ(ErrorDescription(12345), "");
}
