// The catalogue merge: two files from the template, a real catalogue into a
// competition (rows compared joined on their natural keys, never on keys),
// a second run that changes nothing, the overwrite modes and answers, a
// refused start number, and a failure that leaves the target untouched.
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <stdexcept>
#include <string>

#include "support/ErrorCapture.h"
#include "support/TestDatabase.h"
#include "zazorazari/platform/Conversions.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

// Keys far from the target's, so that a copied key would show.
constexpr const char* kCatalogue =
    "INSERT INTO tblManufacturer VALUES (50, 'Ozone'), (51, 'Advance');"
    "INSERT INTO tblGlider VALUES (60, 'Enzo', 1, 50), (61, 'Sigma', 2, 51), (62, 'Rush', 2, 50);"
    "INSERT INTO tblOrigin VALUES (70, 756, 'Wallis', 'VS'), (71, 40, 'Tirol', 'T');"
    "INSERT INTO tblGeoDate (gedPk, gedName) VALUES (800, 'Local grid 7');"
    "INSERT INTO tblTurnpoint (trnPk, trnName, trnID, trnPositionType, geoPk, oriPk)"
    " VALUES (90, 'Fiesch', 'FIE', 'GEO', 800, 70), (91, 'Koessen', 'KOE', 'GEO', 243, 71);"
    "INSERT INTO tblAttribute VALUES (20, 'Club'), (21, 'Team');"
    "INSERT INTO tblAttributeValue VALUES (30, 20, 'Alpha'), (31, 20, 'Beta'), (32, 21, 'Red');"
    "INSERT INTO tblReportString VALUES (40, 3, 'Task report');"
    "INSERT INTO tblPilot (pilPk, pilIDGlobal, pilFirstName, pilLastName, pilBirthday, pilNumber, gliPk, oriPk)"
    " VALUES (100, 'SUI-1', 'Anna', 'Huber', 25000, 7, 60, 70), (101, NULL, 'Bert', 'Meier', NULL, 8, 61, 71);"
    "INSERT INTO tblPilotAttribute VALUES (110, 100, 30), (111, 101, 31), (112, 101, 32);";

// Each table's rows as one text, joined to what they refer to.
const char* const kJoined[] = {
    "SELECT manName || '/' || gliName || '/' || gliFAIClass FROM tblGlider JOIN tblManufacturer USING (manPk)",
    "SELECT ifnull(natPk, '') || '/' || ifnull(oriRegion, '') || '/' || ifnull(oriRegionShort, '') FROM tblOrigin",
    "SELECT trnName || '/' || trnID || '/' || oriRegion || '/' || gedName FROM tblTurnpoint"
    " JOIN tblOrigin USING (oriPk) JOIN tblGeoDate ON geoPk = gedPk",
    "SELECT attName || '/' || avaValue FROM tblAttributeValue JOIN tblAttribute USING (attPk)",
    "SELECT rstCategory || '/' || rstText FROM tblReportString",
    "SELECT pilLastName || '/' || ifnull(pilIDGlobal, '') || '/' || pilNumber || '/' || gliName || '/' || oriRegion"
    " FROM tblPilot JOIN tblGlider USING (gliPk) JOIN tblOrigin USING (oriPk)",
    "SELECT pilLastName || '/' || attName || '/' || avaValue FROM tblPilotAttribute JOIN tblPilot USING (pilPk)"
    " JOIN tblAttributeValue USING (avaPk) JOIN tblAttribute USING (attPk)",
    "SELECT gedName FROM tblGeoDate"};

std::string Joined(const TestDatabase& t, const std::string& select) {
  return t.Scalar("WITH r(x) AS (" + select + ") SELECT group_concat(x, ';') FROM (SELECT x FROM r ORDER BY x)");
}

const CatalogMergeCount& CountOf(const CatalogMergeReport& report, const std::string& table) {
  for (const auto& count : report.tables) {
    if (count.strTable == table) return count;
  }
  throw std::runtime_error("no count for " + table);
}

class CatalogMerge : public ::testing::Test {
 protected:
  CatalogMerge() { source.Sql(kCatalogue); }
  CatalogMergeReport Merge(EnumMergeMode mode, DispatchPtr ask = nullptr) {
    return target.Db().MergeCatalogFrom(source.FilePath(), mode, nullptr, ask);
  }
  TestDatabase source{enumFileCatalog};
  TestDatabase target;
};

TEST(CatalogMergeFromTemplate, FilesFromTheTemplateMergeWithoutChange) {
  TestDatabase from(enumFileCatalog);
  TestDatabase into;
  const CatalogMergeReport report = into.Db().MergeCatalogFrom(from.FilePath(), enumMergeKeep, nullptr);
  EXPECT_FALSE(report.Changed());
  EXPECT_EQ(CountOf(report, "tblOrigin").lMatched, 1);
}

TEST_F(CatalogMerge, CopiesEveryTableWithReferencesMappedOnceOnly) {
  target.Sql("INSERT INTO tblTask (tasPk, tasName) VALUES (4, 'T1'); UPDATE tblCompetition SET attPk1 = 9;"
             "INSERT INTO tblAttribute VALUES (9, 'Club');");
  const CatalogMergeReport first = Merge(enumMergeKeep);
  EXPECT_EQ(CountOf(first, "tblGlider").lAdded, 3);
  EXPECT_EQ(CountOf(first, "tblPilot").lAdded, 2);
  EXPECT_EQ(CountOf(first, "tblAttribute").lMatched, 1);
  EXPECT_EQ(CountOf(first, "tblPilotAttribute").lAdded, 3);
  for (const char* select : kJoined) EXPECT_EQ(Joined(target, select), Joined(source, select)) << select;
  // The competition's attribute lands in the slot; each new pilot gets his result.
  EXPECT_EQ(target.Scalar("SELECT avaValue FROM tblPilot JOIN tblAttributeValue ON avaPk1 = avaPk WHERE pilLastName = 'Meier'"),
            "Beta");
  EXPECT_EQ(target.Count("tblResult", "tasPk = 4"), 2);
  EXPECT_TRUE(target.Db().AuditReferences().empty());

  const CatalogMergeReport second = Merge(enumMergeOverwrite);
  EXPECT_FALSE(second.Changed());
  for (const auto& count : second.tables) EXPECT_EQ(count.lAdded + count.lOverwritten + count.lSkipped, 0) << count.strTable;
}

TEST_F(CatalogMerge, ExistingRowsByModeAndAnswer) {
  struct Case {
    EnumMergeMode mode;
    int32_t answer;
    const char* faiClass;
    int32_t overwritten;
  };
  for (const Case c : {Case{enumMergeKeep, 0, "5.0", 0}, Case{enumMergeOverwrite, 0, "2.0", 1},
                       Case{enumMergeAsk, 0, "5.0", 0}, Case{enumMergeAsk, 1, "2.0", 1},
                       Case{enumMergeAsk, 3, "2.0", 1}}) {
    TestDatabase into;
    into.Sql("INSERT INTO tblManufacturer VALUES (1, 'Advance'); INSERT INTO tblGlider VALUES (1, 'Sigma', 5, 1);");
    int asked = 0;
    auto ask = std::make_shared<DispatchObject>();
    ask->OnPut("ObjectName", [](const Variant&) {})
        .OnMethod("Show", [&asked](std::span<const Variant>) { return Variant(++asked); })
        .OnGet("Answer", [&c] { return Variant(c.answer); });
    const CatalogMergeReport report = into.Db().MergeCatalogFrom(source.FilePath(), c.mode, nullptr, ask);
    EXPECT_EQ(into.Scalar("SELECT gliFAIClass FROM tblGlider WHERE gliPk = 1"), c.faiClass) << c.mode << c.answer;
    EXPECT_EQ(CountOf(report, "tblGlider").lOverwritten, c.overwritten);
    EXPECT_EQ(asked, c.mode == enumMergeAsk ? 1 : 0);
  }
}

TEST_F(CatalogMerge, TakenStartNumberSkipsThePilotAndHisAttributes) {
  target.Sql("INSERT INTO tblPilot (pilPk, pilFirstName, pilLastName, pilNumber) VALUES (1, 'Other', 'One', 7);");
  const CatalogMergeReport report = Merge(enumMergeKeep);
  EXPECT_EQ(CountOf(report, "tblPilot").lSkipped, 1);
  EXPECT_EQ(CountOf(report, "tblPilotAttribute").lSkipped, 1);
  EXPECT_EQ(target.Count("tblPilot", "pilLastName = 'Huber'"), 0);
  ASSERT_FALSE(report.notes.empty());
  EXPECT_NE(report.notes.front().find("pilNumber 7"), std::string::npos) << report.notes.front();
}

TEST_F(CatalogMerge, FailureLeavesTheTargetAsItWas) {
  auto progress = std::make_shared<DispatchObject>();
  int calls = 0;
  progress->OnPut("RaiseErrorIfCanceled", [](const Variant&) {})
      .OnMethod("SetInfo", [&calls](std::span<const Variant>) -> Variant {
        if (++calls == 6) throw Error(5, "host", "stopped");
        return Variant();
      });
  CaughtError([&] { target.Db().MergeCatalogFrom(source.FilePath(), enumMergeKeep, progress); });
  EXPECT_EQ(target.Count("tblOrigin"), 1);
  EXPECT_EQ(target.Count("tblManufacturer"), 0);
  EXPECT_FALSE(Merge(enumMergeKeep).tables.empty()) << "the file is usable afterwards";
}

}  // namespace
