// The built template database, read with the sqlite3 library itself: its
// tables, view layouts, declared types and seed rows are what every new file
// starts from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/RawSqlite.h"
#include "support/TestSupport.h"

namespace {

using zaztest::RawSqlite;
using zaztest::Strings;

std::string TemplatePath() { return (std::filesystem::path(zaztest::TemplateDir()) / "template.mdb").string(); }

const std::map<std::string, std::string> kBaseTable = {
    {"doAttribute", "tblAttribute"},   {"doAttributeValue", "tblAttributeValue"},
    {"doCompetition", "tblCompetition"}, {"doGeoDate", "tblGeoDate"},
    {"doGlider", "tblGlider"},         {"doOrigin", "tblOrigin"},
    {"doPilot", "tblPilot"},           {"doPilotAttribute", "tblPilotAttribute"},
    {"doReportString", "tblReportString"}, {"doResult", "tblResult"},
    {"doTask", "tblTask"},             {"doTaskTurnpoint", "tblTaskTurnpoint"},
    {"doTurnpoint", "tblTurnpoint"}};

TEST(Template, IsIntactAndEveryViewSelects) {
  RawSqlite db(TemplatePath(), RawSqlite::Mode::ReadOnly);
  EXPECT_EQ(db.Column("PRAGMA integrity_check"), Strings{"ok"});
  Strings expectedViews{"doPilotCompetitionResult", "lvwTaskTurnpoint"};
  for (const auto& [view, table] : kBaseTable) expectedViews.push_back(view);
  std::sort(expectedViews.begin(), expectedViews.end());
  const Strings views = db.Column("SELECT name FROM sqlite_master WHERE type = 'view' ORDER BY name");
  EXPECT_EQ(views, expectedViews);
  for (const std::string& view : views) EXPECT_NO_THROW(db.Rows("SELECT * FROM " + view)) << view;
}

// A view column typed by no table column (COALESCE, CAST, an expression) would
// read back untyped; a view that does not start with its table's columns in
// order would shift every field a host writes back.
TEST(Template, ViewsStartWithTheirTableAndEveryColumnIsTyped) {
  RawSqlite db(TemplatePath(), RawSqlite::Mode::ReadOnly);
  for (const auto& [view, table] : kBaseTable) {
    const Strings tableColumns = db.ColumnNames(table);
    const Strings viewColumns = db.ColumnNames(view);
    ASSERT_GE(viewColumns.size(), tableColumns.size()) << view;
    EXPECT_TRUE(std::equal(tableColumns.begin(), tableColumns.end(), viewColumns.begin())) << view;
    const Strings types = db.ColumnNames(view, true);
    for (size_t i = 0; i < types.size(); ++i) EXPECT_NE(types[i], "") << view << "." << viewColumns[i];
  }
}

TEST(Template, PilotAttributeValuesComeFromTheAttributeRowsNotTheSlots) {
  zaztest::ScratchDir dir;
  std::filesystem::copy_file(TemplatePath(), dir.File("copy.mdb"));
  RawSqlite db(dir.File("copy.mdb"));
  db.Exec(
      "INSERT INTO tblAttribute (attPk, attName) VALUES (1, 'Club'), (2, 'Class');"
      "INSERT INTO tblAttributeValue (avaPk, attPk, avaValue) VALUES (10, 1, 'Aigles'), (20, 2, 'Sport'),"
      " (21, 2, 'Open');"
      "UPDATE tblCompetition SET attPk1 = 2, attPk3 = 1;"
      "INSERT INTO tblPilot (pilPk, pilLastName) VALUES (5, 'Meier'), (6, 'Brun');"
      "INSERT INTO tblPilotAttribute (pilPk, avaPk) VALUES (5, 10), (5, 20), (5, 21), (6, 10);");
  EXPECT_EQ(db.Rows("SELECT pilPk, avaPk1, attName1, avaValue1, attName2, avaValue2, attName3, avaValue3 "
                    "FROM doPilot ORDER BY pilPk"),
            (std::vector<Strings>{{"5", "NULL", "Class", "Sport", "NULL", "NULL", "Club", "Aigles"},
                                  {"6", "NULL", "Class", "NULL", "NULL", "NULL", "Club", "Aigles"}}));
}

}  // namespace
