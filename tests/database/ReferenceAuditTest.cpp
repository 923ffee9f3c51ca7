// The reference audit and repair on a file broken with plain SQL in every way
// the rules never break one: each finding is reported, a dry run changes
// nothing, the repair fixes all but the duplicates a person must resolve.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "support/TestDatabase.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

using Found = std::tuple<std::string, std::string, int32_t, std::string>;  // kind, table, key, column

std::set<Found> Summary(const std::vector<ReferenceFinding>& findings) {
  std::set<Found> found;
  for (const auto& f : findings) found.insert({f.strKind, f.strTable, f.lPk, f.strColumn});
  return found;
}

void Break(const TestDatabase& t) {
  t.Sql(
      "INSERT INTO tblTask (tasPk, tasName) VALUES (1, 'T1');"
      "INSERT INTO tblAttribute VALUES (2, 'Club');"
      "INSERT INTO tblAttributeValue VALUES (3, 2, 'Alpha'), (4, 99, 'Orphan');"
      "UPDATE tblCompetition SET attPk1 = 99, attPk2 = 99, attPk3 = 99, attPk4 = 2;"
      "INSERT INTO tblPilot (pilPk, pilFirstName, pilLastName, pilNumber, pilIDGlobal) VALUES (1, 'A', 'A', 1, 'X1');"
      "INSERT INTO tblPilotAttribute VALUES (1, 1, 3), (2, 99, 3), (3, 1, 98);"
      "INSERT INTO tblPilot (pilPk, pilFirstName, pilLastName, gliPk, oriPk, avaPk1, avaPk2, avaPk3, avaPk4)"
      " VALUES (2, 'B', 'B', 99, 99, 99, 99, 99, 99);"
      "INSERT INTO tblPilot (pilPk, pilFirstName, pilLastName, pilNumber, pilIDGlobal) VALUES (3, 'C', 'C', 1, 'x1');"
      "INSERT INTO tblResult (resPk, pilPk, tasPk, geoPk) VALUES (1, 1, 1, NULL), (2, 99, 1, NULL), (3, 1, 99, NULL),"
      " (4, 1, 1, 9999);"
      "INSERT INTO tblTaskTurnpoint (ttpPk, tasPk, trnPk, ttpNr) VALUES (1, 77, NULL, 1), (2, 1, 99, 2);"
      "INSERT INTO tblFormulaTask (fotPk, fotFormulaID, tasPk) VALUES (1, 0, 99);"
      "INSERT INTO tblOrigin VALUES (5, 999, 'Nowhere', 'NW');"
      "INSERT INTO tblTurnpoint (trnPk, trnName, geoPk, oriPk) VALUES (1, 'TP', 9999, 99);"
      "INSERT INTO tblGlider VALUES (1, 'G', 1, 99);");
}

const std::set<Found> kDuplicates{{"duplicate-number", "tblPilot", 3, "pilNumber"},
                                  {"duplicate-id", "tblPilot", 3, "pilIDGlobal"},
                                  {"doubled-result", "tblResult", 4, "tasPk"}};

TEST(ReferenceAudit, FindsEveryBreakAndRepairLeavesOnlyDuplicates) {
  TestDatabase t;
  EXPECT_TRUE(t.Db().AuditReferences().empty()) << "a new file is clean";
  Break(t);

  std::set<Found> expected = kDuplicates;
  for (const char* column : {"gliPk", "oriPk", "avaPk1", "avaPk2", "avaPk3", "avaPk4"}) {
    expected.insert({"missing-row", "tblPilot", 2, column});
  }
  for (const char* column : {"attPk1", "attPk2", "attPk3"}) expected.insert({"missing-row", "tblCompetition", 1, column});
  const std::set<Found> others{
      {"missing-row", "tblAttributeValue", 4, "attPk"}, {"missing-row", "tblPilotAttribute", 2, "pilPk"},
      {"missing-row", "tblPilotAttribute", 3, "avaPk"}, {"missing-row", "tblResult", 2, "pilPk"},
      {"missing-row", "tblResult", 3, "tasPk"},         {"missing-row", "tblResult", 4, "geoPk"},
      {"missing-row", "tblTaskTurnpoint", 1, "tasPk"},  {"missing-row", "tblTaskTurnpoint", 2, "trnPk"},
      {"missing-row", "tblFormulaTask", 1, "tasPk"},    {"missing-row", "tblOrigin", 5, "natPk"},
      {"missing-row", "tblTurnpoint", 1, "geoPk"},      {"missing-row", "tblTurnpoint", 1, "oriPk"},
      {"missing-row", "tblGlider", 1, "manPk"},         {"slot-mismatch", "tblPilot", 1, "avaPk4"},
      {"missing-result", "tblPilot", 2, "tasPk"},       {"missing-result", "tblPilot", 3, "tasPk"}};
  expected.insert(others.begin(), others.end());
  EXPECT_EQ(Summary(t.Db().AuditReferences()), expected);

  const long long rows = t.Count("tblResult") + t.Count("tblPilotAttribute") + t.Count("tblTaskTurnpoint");
  const ReferenceRepairReport dry = t.Db().RepairReferences(true);
  EXPECT_EQ(t.Count("tblResult") + t.Count("tblPilotAttribute") + t.Count("tblTaskTurnpoint"), rows);
  EXPECT_EQ(Summary(t.Db().AuditReferences()), expected) << "a dry run writes nothing";

  const ReferenceRepairReport done = t.Db().RepairReferences(false);
  EXPECT_EQ(done.actions, dry.actions);
  EXPECT_EQ(Summary(done.remaining), kDuplicates);
  EXPECT_EQ(Summary(t.Db().AuditReferences()), kDuplicates);
  EXPECT_EQ(t.Scalar("SELECT avaPk4 FROM tblPilot WHERE pilPk = 1"), "3");
  EXPECT_EQ(t.Count("tblResult", "pilPk IN (2, 3) AND tasPk = 1"), 2);
  EXPECT_EQ(t.Count("tblTaskTurnpoint"), 0);
  EXPECT_EQ(t.Scalar("SELECT count(*) FROM tblTurnpoint WHERE geoPk IS NULL AND oriPk IS NULL"), "1");
  EXPECT_TRUE(t.Db().CompetitionObject()->Fields("attPk1")->Value().IsNull());
}

TEST(ReferenceAudit, RecordChecksForHosts) {
  TestDatabase t;
  t.Sql("INSERT INTO tblTask (tasPk, tasName) VALUES (1, 'T1');"
        "INSERT INTO tblTurnpoint (trnPk, trnName, geoPk, oriPk) VALUES (1, 'TP', 243, 1);"
        "INSERT INTO tblTaskTurnpoint (ttpPk, tasPk, trnPk, ttpNr) VALUES (1, 1, 1, 1);");
  auto record = t.Db().CreateDataObject("doTaskTurnpoint");
  record->Fields("tasPk")->SetValue(77);
  record->Fields("trnPk")->SetValue(1);
  EXPECT_EQ(Summary(t.Db().MissingReferences(*record)),
            (std::set<Found>{{"missing-row", "tblTaskTurnpoint", 0, "tasPk"}}));
  EXPECT_TRUE(t.Db().MissingReferences(*record, {"trnPk"}).empty()) << "only the fields named";

  EXPECT_EQ(Summary(t.Db().ReferencesTo("doTurnpoint", 1)),
            (std::set<Found>{{"referenced-by", "tblTaskTurnpoint", 1, "trnPk"}}));
  EXPECT_EQ(t.Db().ReferencesTo("doGeoDate", 243).size(), 1u);
  EXPECT_TRUE(t.Db().ReferencesTo("doGlider", 1).empty());
}

}  // namespace
