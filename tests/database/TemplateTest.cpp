// The built template database, read with the sqlite3 library itself: its
// tables, view layouts, declared types and seed rows are what every new file
// starts from.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

using Strings = std::vector<std::string>;

std::string TemplatePath() { return (std::filesystem::path(zaztest::TemplateDir()) / "template.mdb").string(); }

class RawDb {
 public:
  explicit RawDb(const std::string& path, int flags = SQLITE_OPEN_READONLY) {
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) throw std::runtime_error(path);
  }
  ~RawDb() { sqlite3_close(m_db); }
  RawDb(const RawDb&) = delete;
  RawDb& operator=(const RawDb&) = delete;

  void Exec(const std::string& sql) const {
    ASSERT_EQ(sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  }

  // Every row of a query, each column as text ("NULL" for NULL).
  std::vector<Strings> Rows(const std::string& sql) const {
    sqlite3_stmt* stmt = Prepare(sql);
    std::vector<Strings> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      Strings row;
      for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
        const unsigned char* text = sqlite3_column_text(stmt, i);
        row.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text) : "NULL");
      }
      rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) throw std::runtime_error(sql);
    return rows;
  }

  Strings Column(const std::string& sql) const {
    Strings values;
    for (const auto& row : Rows(sql)) values.push_back(row[0]);
    return values;
  }

  // Result column names of SELECT * FROM `source`, or their declared types.
  Strings ColumnNames(const std::string& source, bool declaredTypes = false) const {
    sqlite3_stmt* stmt = Prepare("SELECT * FROM " + source);
    Strings columns;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      const char* type = sqlite3_column_decltype(stmt, i);
      columns.emplace_back(declaredTypes ? (type != nullptr ? type : "") : sqlite3_column_name(stmt, i));
    }
    sqlite3_finalize(stmt);
    return columns;
  }

 private:
  sqlite3_stmt* Prepare(const std::string& sql) const {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) throw std::runtime_error(sql);
    return stmt;
  }

  sqlite3* m_db = nullptr;
};

const std::map<std::string, std::string> kBaseTable = {
    {"doAttribute", "tblAttribute"},   {"doAttributeValue", "tblAttributeValue"},
    {"doCompetition", "tblCompetition"}, {"doGeoDate", "tblGeoDate"},
    {"doGlider", "tblGlider"},         {"doOrigin", "tblOrigin"},
    {"doPilot", "tblPilot"},           {"doPilotAttribute", "tblPilotAttribute"},
    {"doReportString", "tblReportString"}, {"doResult", "tblResult"},
    {"doTask", "tblTask"},             {"doTaskTurnpoint", "tblTaskTurnpoint"},
    {"doTurnpoint", "tblTurnpoint"}};

// The columns of `source` after the first `from`.
Strings Tail(const RawDb& db, const std::string& source, size_t from) {
  const Strings all = db.ColumnNames(source);
  return Strings(all.begin() + static_cast<long>(from), all.end());
}

TEST(Template, IsIntactAndEveryViewSelects) {
  RawDb db(TemplatePath());
  EXPECT_EQ(db.Column("PRAGMA integrity_check"), Strings{"ok"});
  EXPECT_EQ(db.Column("SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE 'tbl%' ORDER BY name"),
            (Strings{"tblAttribute", "tblAttributeValue", "tblCompetition", "tblDatabaseInfo",
                     "tblFormulaCompetition", "tblFormulaTask", "tblGeoDate", "tblGlider", "tblManufacturer",
                     "tblNation", "tblOrigin", "tblPilot", "tblPilotAttribute", "tblReportString", "tblResult",
                     "tblTask", "tblTaskTurnpoint", "tblTeamScoring", "tblTurnpoint"}));
  Strings expectedViews{"doPilotCompetitionResult", "lvwTaskTurnpoint"};
  for (const auto& [view, table] : kBaseTable) expectedViews.push_back(view);
  std::sort(expectedViews.begin(), expectedViews.end());
  const Strings views = db.Column("SELECT name FROM sqlite_master WHERE type = 'view' ORDER BY name");
  EXPECT_EQ(views, expectedViews);
  for (const std::string& view : views) EXPECT_NO_THROW(db.Rows("SELECT * FROM " + view)) << view;
}

TEST(Template, DeclaredTypesOfTablesAndJoinedViewColumns) {
  RawDb db(TemplatePath());
  struct Expected {
    std::string source, column, decl;
  };
  const std::vector<Expected> expected = {
      {"tblDatabaseInfo", "dbiVersionText", "TEXT(20)"}, {"tblGeoDate", "gedDeltaX", "DOUBLE"},
      {"tblTurnpoint", "trnPositionMapZone", "SMALLINT"}, {"tblCompetition", "comDateFrom", "DATETIME"},
      {"tblCompetition", "comFinished", "BOOLEAN"},       {"tblPilot", "pilSex", "TEXT"},
      {"tblPilot", "pilRank", "INTEGER"},                 {"tblResult", "resPositionMapZone", "TEXT(10)"},
      {"tblTask", "tasLastPilotFilter", "LONGTEXT"},      {"doPilot", "avaValue1", "TEXT(50)"},
      {"doTask", "fotParameter", "LONGTEXT"},             {"doResult", "gedName", "TEXT(50)"}};
  for (const auto& e : expected) {
    const Strings names = db.ColumnNames(e.source);
    const auto at = std::find(names.begin(), names.end(), e.column) - names.begin();
    ASSERT_LT(at, static_cast<long>(names.size())) << e.source << "." << e.column;
    EXPECT_EQ(db.ColumnNames(e.source, true)[static_cast<size_t>(at)], e.decl) << e.source << "." << e.column;
  }
}

TEST(Template, ViewsStartWithTheirTableThenTheJoinedColumns) {
  RawDb db(TemplatePath());
  for (const auto& [view, table] : kBaseTable) {
    const Strings tableColumns = db.ColumnNames(table);
    const Strings viewColumns = db.ColumnNames(view);
    ASSERT_GE(viewColumns.size(), tableColumns.size()) << view;
    EXPECT_TRUE(std::equal(tableColumns.begin(), tableColumns.end(), viewColumns.begin())) << view;
  }
  EXPECT_EQ(Tail(db, "doPilot", db.ColumnNames("tblPilot").size()),
            (Strings{"gliName", "manName", "natPk", "natCode3", "oriRegion", "attName1", "attName2", "attName3",
                     "attName4", "avaValue1", "avaValue2", "avaValue3", "avaValue4"}));
  EXPECT_EQ(Tail(db, "doCompetition", db.ColumnNames("tblCompetition").size()),
            (Strings{"attName1", "attName2", "attName3", "attName4", "forParameter"}));
  EXPECT_EQ(db.ColumnNames("doPilotCompetitionResult"),
            (Strings{"pilPk", "pilCompetitionScore", "pilCompetitionPlace", "pilTaskPlaceSum"}));
  EXPECT_EQ(db.ColumnNames("lvwTaskTurnpoint"), (Strings{"ttpPk", "tasPk", "ttpNr", "ttpTimeGateType"}));
}

TEST(Template, SeedRowsOfWgs84AndTheNations) {
  RawDb db(TemplatePath());
  EXPECT_EQ(db.Rows("SELECT * FROM tblGeoDate WHERE gedName = 'WGS 84'"),
            (std::vector<Strings>{{"243", "WGS 84", "WGS 84", "0.0", "0.0", "0.0", "0.0", "0.0"}}));
  EXPECT_EQ(db.Column("SELECT COUNT(*) FROM tblNation UNION ALL "
                      "SELECT COUNT(*) FROM tblNation WHERE natPk <> natNumber"),
            (Strings{"249", "0"}));
  EXPECT_EQ(db.Rows("SELECT * FROM tblNation WHERE natPk IN (276, 384) ORDER BY natPk"),
            (std::vector<Strings>{{"276", "Germany", "DE", "DEU", "276"},
                                  {"384", "Côte d'Ivoire", "CI", "CIV", "384"}}));
  EXPECT_EQ(db.Column("SELECT natName FROM tblNation WHERE natCode3 = 'kor'"), Strings{"Korea, Republic of"});
}

TEST(Template, PilotAttributeValuesComeFromTheAttributeRowsNotTheSlots) {
  zaztest::ScratchDir dir;
  std::filesystem::copy_file(TemplatePath(), dir.File("copy.mdb"));
  RawDb db(dir.File("copy.mdb"), SQLITE_OPEN_READWRITE);
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
