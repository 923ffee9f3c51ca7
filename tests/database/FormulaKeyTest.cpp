// The competition formula table is keyed by the formula ID itself: formula 0
// is a row with key 0, found again by the next write.
#include <gtest/gtest.h>

#include "support/TestDatabase.h"

using namespace zazorazari;

TEST(FormulaKey, FormulaZeroKeepsItsOwnKey) {
  zaztest::TestDatabase file;
  for (const char* parameter : {"first", "second"}) {
    auto competition = file.Db().GetDataObject("doCompetition", 1);
    competition->Fields("forParameter")->SetValue(parameter);
    file.Db().UpdateDataObject(*competition, enumOverwriteRaiseError);
  }
  EXPECT_EQ(file.Count("tblFormulaCompetition"), 1);
  EXPECT_EQ(file.Scalar("SELECT forPk FROM tblFormulaCompetition"), "0");
  EXPECT_EQ(file.Db().CompetitionFormulaParameter(0), "second");
}
