// The built template database, read with the sqlite3 library itself: its
// tables, view layouts, declared types, indexes and seed rows are what every
// new file starts from.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/OldTemplate.h"
#include "support/TestSupport.h"

namespace {

using Strings = std::vector<std::string>;

std::string TemplatePath() { return (std::filesystem::path(zaztest::TemplateDir()) / "template.mdb").string(); }

class RawDb {
 public:
  explicit RawDb(const std::string& path, int flags = SQLITE_OPEN_READONLY) {
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
      throw std::runtime_error("cannot open " + path);
    }
  }
  ~RawDb() { sqlite3_close(m_db); }
  RawDb(const RawDb&) = delete;
  RawDb& operator=(const RawDb&) = delete;

  sqlite3* Handle() const { return m_db; }

  void Exec(const std::string& sql) const {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string message = error != nullptr ? error : "?";
      sqlite3_free(error);
      throw std::runtime_error(message + " in: " + sql);
    }
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
    if (rc != SQLITE_DONE) throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
    return rows;
  }

  std::string Scalar(const std::string& sql) const {
    const auto rows = Rows(sql);
    return rows.empty() ? "" : rows[0][0];
  }

  Strings Column(const std::string& sql) const {
    Strings values;
    for (const auto& row : Rows(sql)) values.push_back(row[0]);
    return values;
  }

  // Result column names and declared types of SELECT * FROM `source`.
  std::vector<std::pair<std::string, std::string>> Columns(const std::string& source) const {
    sqlite3_stmt* stmt = Prepare("SELECT * FROM " + source);
    std::vector<std::pair<std::string, std::string>> columns;
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      const char* type = sqlite3_column_decltype(stmt, i);
      columns.emplace_back(sqlite3_column_name(stmt, i), type != nullptr ? type : "");
    }
    sqlite3_finalize(stmt);
    return columns;
  }

  Strings ColumnNames(const std::string& source) const {
    Strings names;
    for (const auto& c : Columns(source)) names.push_back(c.first);
    return names;
  }

 private:
  sqlite3_stmt* Prepare(const std::string& sql) const {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
      throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
    }
    return stmt;
  }

  sqlite3* m_db = nullptr;
};

// Field type code and size that a declared type stands for.
std::pair<int, int> TypeCode(std::string decl) {
  std::transform(decl.begin(), decl.end(), decl.begin(), [](unsigned char c) { return std::toupper(c); });
  static const std::map<std::string, std::pair<int, int>> fixed = {
      {"BOOLEAN", {1, 1}}, {"BYTE", {2, 1}},   {"SMALLINT", {3, 2}}, {"INTEGER", {4, 4}},
      {"CURRENCY", {5, 8}}, {"SINGLE", {6, 4}}, {"DOUBLE", {7, 8}},   {"DATETIME", {8, 8}},
      {"TEXT", {10, 255}}, {"LONGTEXT", {12, 0}}, {"NUMERIC", {19, 16}}};
  if (const auto it = fixed.find(decl); it != fixed.end()) return it->second;
  if (decl.starts_with("TEXT(") && decl.ends_with(")")) return {10, std::stoi(decl.substr(5))};
  return {-1, -1};
}

Strings Tables(const RawDb& db) {
  return db.Column("SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE 'tbl%' ORDER BY name");
}

Strings Views(const RawDb& db) { return db.Column("SELECT name FROM sqlite_master WHERE type = 'view' ORDER BY name"); }

const std::map<std::string, std::string> kBaseTable = {
    {"doAttribute", "tblAttribute"},   {"doAttributeValue", "tblAttributeValue"},
    {"doCompetition", "tblCompetition"}, {"doGeoDate", "tblGeoDate"},
    {"doGlider", "tblGlider"},         {"doOrigin", "tblOrigin"},
    {"doPilot", "tblPilot"},           {"doPilotAttribute", "tblPilotAttribute"},
    {"doReportString", "tblReportString"}, {"doResult", "tblResult"},
    {"doTask", "tblTask"},             {"doTaskTurnpoint", "tblTaskTurnpoint"},
    {"doTurnpoint", "tblTurnpoint"}};

Strings Tail(const Strings& all, size_t from) { return Strings(all.begin() + static_cast<long>(from), all.end()); }

TEST(Template, IsAnIntactRollbackJournalFileWithEveryTableAndView) {
  RawDb db(TemplatePath());
  EXPECT_EQ(db.Scalar("PRAGMA integrity_check"), "ok");
  EXPECT_EQ(db.Scalar("PRAGMA journal_mode"), "delete");
  EXPECT_EQ(Tables(db), (Strings{"tblAttribute", "tblAttributeValue", "tblCompetition", "tblDatabaseInfo",
                                 "tblFormulaCompetition", "tblFormulaTask", "tblGeoDate", "tblGlider",
                                 "tblManufacturer", "tblNation", "tblOrigin", "tblPilot", "tblPilotAttribute",
                                 "tblReportString", "tblResult", "tblTask", "tblTaskTurnpoint", "tblTeamScoring",
                                 "tblTurnpoint"}));
  Strings expectedViews{"doPilotCompetitionResult", "lvwTaskTurnpoint"};
  for (const auto& [view, table] : kBaseTable) expectedViews.push_back(view);
  std::sort(expectedViews.begin(), expectedViews.end());
  EXPECT_EQ(Views(db), expectedViews);
}

TEST(Template, ColumnsAreKeyedTypedNocaseAndFreeOfDefaults) {
  RawDb db(TemplatePath());
  for (const std::string& table : Tables(db)) {
    const auto columns = db.Columns(table);
    const std::string key = columns.front().first;
    EXPECT_TRUE(key.ends_with("Pk")) << table;
    for (const auto& [name, decl] : columns) {
      EXPECT_NE(TypeCode(decl).first, -1) << table << "." << name << " " << decl;
      const char* collation = nullptr;
      int notNull = 0, primaryKey = 0, autoIncrement = 0;
      sqlite3_table_column_metadata(db.Handle(), nullptr, table.c_str(), name.c_str(), nullptr, &collation,
                                    &notNull, &primaryKey, &autoIncrement);
      EXPECT_EQ(primaryKey != 0, name == key) << table << "." << name;
      if (name == key) {
        EXPECT_EQ(autoIncrement != 0, table != "tblFormulaCompetition") << table;
      }
      if (TypeCode(decl).first == 10 || TypeCode(decl).first == 12) {
        EXPECT_STREQ(collation, "NOCASE") << table << "." << name;
      }
    }
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM pragma_table_info('" + table + "') WHERE dflt_value IS NOT NULL OR "
                        "(\"notnull\" AND NOT pk)"),
              "0")
        << table;
  }
}

TEST(Template, DeclaredTypesCarryTheFieldTypeCodes) {
  RawDb db(TemplatePath());
  struct Expected {
    std::string table, column;
    int code, size;
  };
  const std::vector<Expected> expected = {
      {"tblDatabaseInfo", "dbiVersionText", 10, 20},  {"tblAttributeValue", "attPk", 4, 4},
      {"tblGeoDate", "gedEllipsoid", 10, 255},        {"tblGeoDate", "gedDeltaX", 7, 8},
      {"tblNation", "natNumber", 4, 4},               {"tblTurnpoint", "trnPositionLatitudeDegree", 3, 2},
      {"tblTurnpoint", "trnPositionMapZone", 3, 2},   {"tblTurnpoint", "trnPositionAltitude", 7, 8},
      {"tblGlider", "gliFAIClass", 7, 8},             {"tblReportString", "rstCategory", 4, 4},
      {"tblFormulaCompetition", "forParameter", 12, 0}, {"tblCompetition", "comDateFrom", 8, 8},
      {"tblCompetition", "comFinished", 1, 1},        {"tblCompetition", "comPilotID", 1, 1},
      {"tblCompetition", "comCatalogDatabase", 10, 255}, {"tblPilot", "pilSex", 10, 255},
      {"tblPilot", "pilNumber", 7, 8},                {"tblPilot", "pilRank", 4, 4},
      {"tblPilot", "pilCompetitionScore", 7, 8},      {"tblFormulaTask", "fotParameter", 12, 0},
      {"tblResult", "resPositionCirceled", 1, 1},     {"tblResult", "resPlace", 4, 4},
      {"tblResult", "resPositionMapZone", 10, 10},    {"tblResult", "resTime", 8, 8},
      {"tblTask", "tasNeedsComputing", 1, 1},         {"tblTask", "tasLastPilotFilter", 12, 0},
      {"tblTask", "tasPilotsLO", 4, 4},               {"tblTaskTurnpoint", "ttpCircle", 7, 8},
      {"tblTeamScoring", "temWhereClause", 12, 0},    {"tblTeamScoring", "temScore", 7, 8},
      // Through views, joined columns included.
      {"doPilot", "avaValue1", 10, 50},               {"doTask", "fotParameter", 12, 0},
      {"doCompetition", "forParameter", 12, 0},       {"doResult", "gedName", 10, 50}};
  for (const auto& e : expected) {
    const auto columns = db.Columns(e.table);
    const auto it = std::find_if(columns.begin(), columns.end(), [&](const auto& c) { return c.first == e.column; });
    ASSERT_NE(it, columns.end()) << e.table << "." << e.column;
    EXPECT_EQ(TypeCode(it->second), std::make_pair(e.code, e.size)) << e.table << "." << e.column;
  }
}

TEST(Template, ViewsStartWithTheirTableThenTheJoinedColumns) {
  RawDb db(TemplatePath());
  for (const std::string& view : Views(db)) {
    const auto columns = db.Columns(view);
    std::set<std::string> unique;
    for (const auto& [name, decl] : columns) {
      std::string folded = name;
      std::transform(folded.begin(), folded.end(), folded.begin(), [](unsigned char c) { return std::tolower(c); });
      EXPECT_TRUE(unique.insert(folded).second) << view << " repeats " << name;
      EXPECT_NE(TypeCode(decl).first, -1) << view << "." << name << " has no declared type";
    }
    EXPECT_NO_THROW(db.Rows("SELECT * FROM " + view)) << view;
  }
  for (const auto& [view, table] : kBaseTable) {
    const Strings tableColumns = db.ColumnNames(table);
    const Strings viewColumns = db.ColumnNames(view);
    ASSERT_GE(viewColumns.size(), tableColumns.size()) << view;
    EXPECT_EQ(Strings(viewColumns.begin(), viewColumns.begin() + static_cast<long>(tableColumns.size())),
              tableColumns)
        << view;
  }
  EXPECT_EQ(Tail(db.ColumnNames("doPilot"), db.ColumnNames("tblPilot").size()),
            (Strings{"gliName", "manName", "natPk", "natCode3", "oriRegion", "attName1", "attName2", "attName3",
                     "attName4", "avaValue1", "avaValue2", "avaValue3", "avaValue4"}));
  EXPECT_EQ(Tail(db.ColumnNames("doTask"), db.ColumnNames("tblTask").size()), Strings{"fotParameter"});
  EXPECT_EQ(Tail(db.ColumnNames("doCompetition"), db.ColumnNames("tblCompetition").size()),
            (Strings{"attName1", "attName2", "attName3", "attName4", "forParameter"}));
  EXPECT_EQ(db.ColumnNames("doPilotCompetitionResult"),
            (Strings{"pilPk", "pilCompetitionScore", "pilCompetitionPlace", "pilTaskPlaceSum"}));
  EXPECT_EQ(db.ColumnNames("lvwTaskTurnpoint"), (Strings{"ttpPk", "tasPk", "ttpNr", "ttpTimeGateType"}));
}

TEST(Template, SearchesOfTheRulesUseIndexesAndNoneIsUnique) {
  RawDb db(TemplatePath());
  const Strings searches = {
      "tblPilot WHERE pilLastName = 'a' AND pilFirstName = 'b'", "tblPilot WHERE pilNumber = 12",
      "tblPilot WHERE pilIDGlobal = 'x'", "tblPilot WHERE avaPk3 = 2", "tblAttribute WHERE attName = 'a'",
      "tblAttributeValue WHERE avaValue = 'v' AND attPk = 1", "tblAttributeValue WHERE attPk = 1",
      "tblManufacturer WHERE manName = 'm'", "tblGlider WHERE gliName = 'g' AND manPk = 1",
      "tblGlider WHERE manPk = 1", "tblNation WHERE natCode3 = 'DEU'",
      "tblOrigin WHERE natPk = 276 AND oriRegion = 'r'", "tblOrigin WHERE natPk = 276 AND oriRegionShort = 'r'",
      "tblGeoDate WHERE gedName = 'WGS 84'", "tblTurnpoint WHERE trnName = 't'", "tblTurnpoint WHERE trnID = 'i'",
      "tblResult WHERE pilPk = 1 AND tasPk = 2", "tblResult WHERE tasPk = 2",
      "tblTaskTurnpoint WHERE tasPk = 2", "tblPilotAttribute WHERE pilPk = 1",
      "tblPilotAttribute WHERE avaPk = 1", "tblFormulaTask WHERE tasPk = 1 AND fotFormulaID = 2",
      "tblReportString WHERE rstText = 't' AND rstCategory = 1"};
  for (const std::string& search : searches) {
    const auto plan = db.Rows("EXPLAIN QUERY PLAN SELECT * FROM " + search);
    ASSERT_FALSE(plan.empty());
    const std::string& step = plan.back().back();
    EXPECT_TRUE(step.starts_with("SEARCH") && step.find("INDEX ") != std::string::npos) << search << ": " << step;
  }
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM sqlite_master AS m, pragma_index_list(m.name) AS i "
                      "WHERE m.type = 'table' AND i.\"unique\""),
            "0");
}

TEST(Template, SeedRows) {
  RawDb db(TemplatePath());
  EXPECT_EQ(db.Rows("SELECT * FROM tblDatabaseInfo"), (std::vector<Strings>{{"1", "1", "600", "6.0"}}));
  EXPECT_EQ(db.Rows("SELECT comPk, quote(comName), comFAIClass, comFinished, comFormulaID, comDateFrom, attPk1 "
                    "FROM tblCompetition"),
            (std::vector<Strings>{{"1", "''", "0", "0", "0", "NULL", "NULL"}}));
  EXPECT_EQ(db.Rows("SELECT * FROM tblOrigin"), (std::vector<Strings>{{"1", "NULL", "NULL", "NULL"}}));
  EXPECT_EQ(db.Rows("SELECT * FROM tblGeoDate WHERE gedName = 'WGS 84'"),
            (std::vector<Strings>{{"243", "WGS 84", "WGS 84", "0.0", "0.0", "0.0", "0.0", "0.0"}}));
  EXPECT_EQ(db.Scalar("SELECT gedDeltaX || ',' || gedDeltaY || ',' || gedDeltaZ FROM tblGeoDate "
                      "WHERE gedName = 'european 1950'"),
            "-87.0,-98.0,-121.0");
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM tblNation"), "249");
  EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM tblNation WHERE natPk <> natNumber"), "0");
  EXPECT_EQ(db.Rows("SELECT * FROM tblNation WHERE natPk IN (276, 756, 384) ORDER BY natPk"),
            (std::vector<Strings>{{"276", "Germany", "DE", "DEU", "276"},
                                  {"384", "Côte d'Ivoire", "CI", "CIV", "384"},
                                  {"756", "Switzerland", "CH", "CHE", "756"}}));
  EXPECT_EQ(db.Scalar("SELECT natName FROM tblNation WHERE natCode3 = 'kor'"), "Korea, Republic of");
  // Counters continue after the seed rows.
  for (const char* table : {"tblDatabaseInfo", "tblCompetition", "tblOrigin", "tblGeoDate", "tblNation"}) {
    const auto columns = db.ColumnNames(table);
    EXPECT_EQ(db.Scalar("SELECT seq FROM sqlite_sequence WHERE name = '" + std::string(table) + "'"),
              db.Scalar("SELECT MAX(" + columns[0] + ") FROM " + table))
        << table;
  }
}

class TemplateCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(TemplatePath(), m_dir.File("copy.mdb"));
    m_db = std::make_unique<RawDb>(m_dir.File("copy.mdb"), SQLITE_OPEN_READWRITE);
  }
  zaztest::ScratchDir m_dir;
  std::unique_ptr<RawDb> m_db;
};

TEST_F(TemplateCopy, PilotAttributeValuesComeFromTheAttributeRowsNotTheSlots) {
  m_db->Exec(
      "INSERT INTO tblAttribute (attPk, attName) VALUES (1, 'Club'), (2, 'Class');"
      "INSERT INTO tblAttributeValue (avaPk, attPk, avaValue) VALUES (10, 1, 'Aigles'), (20, 2, 'Sport'),"
      " (21, 2, 'Open');"
      "UPDATE tblCompetition SET attPk1 = 2, attPk3 = 1;"
      "INSERT INTO tblPilot (pilPk, pilLastName) VALUES (5, 'Meier'), (6, 'Brun');"
      "INSERT INTO tblPilotAttribute (pilPk, avaPk) VALUES (5, 10), (5, 20), (5, 21), (6, 10);");
  EXPECT_EQ(m_db->Rows("SELECT pilPk, avaPk1, attName1, avaValue1, attName2, avaValue2, attName3, avaValue3 "
                       "FROM doPilot ORDER BY pilPk"),
            (std::vector<Strings>{{"5", "NULL", "Class", "Sport", "NULL", "NULL", "Club", "Aigles"},
                                  {"6", "NULL", "Class", "NULL", "NULL", "NULL", "Club", "Aigles"}}));
}

TEST_F(TemplateCopy, NumberLikeTextStaysText) {
  m_db->Exec("INSERT INTO tblPilot (pilIDGlobal, pilSex) VALUES ('00123', '1')");
  EXPECT_EQ(m_db->Scalar("SELECT typeof(pilIDGlobal) || pilIDGlobal || typeof(pilSex) FROM tblPilot"),
            "text00123text");
}

TEST_F(TemplateCopy, TaskAndCompetitionCarryTheParametersOfTheCompetitionsFormula) {
  m_db->Exec(
      "UPDATE tblCompetition SET comFormulaID = 7;"
      "INSERT INTO tblFormulaCompetition (forPk, forParameter) VALUES (3, 'old'), (7, 'gap');"
      "INSERT INTO tblTask (tasPk, tasName) VALUES (1, 'A'), (2, 'B');"
      "INSERT INTO tblFormulaTask (fotFormulaID, tasPk, fotParameter) VALUES (3, 1, 'other'), (7, 1, 'mine'),"
      " (7, 1, 'later');");
  EXPECT_EQ(m_db->Rows("SELECT tasPk, fotParameter FROM doTask"),
            (std::vector<Strings>{{"1", "mine"}, {"2", "NULL"}}));
  EXPECT_EQ(m_db->Scalar("SELECT forParameter FROM doCompetition"), "gap");
}

TEST(OldTemplate, NineColumnTaskTurnpointFileKeepsItsViewsReadable) {
  zaztest::ScratchDir dir;
  const std::string path = zaztest::MakeNineColumnTaskTurnpointFile(dir.Path().string());
  RawDb db(path, SQLITE_OPEN_READWRITE);
  EXPECT_EQ(db.ColumnNames("tblTaskTurnpoint"), (Strings{"ttpPk", "tasPk", "trnPk", "ttpNr", "ttpNrText",
                                                         "ttpTimeGateType", "ttpDistanceDiff", "ttpDistanceTotal",
                                                         "ttpAngle"}));
  const Strings view = db.ColumnNames("doTaskTurnpoint");
  EXPECT_EQ(std::count(view.begin(), view.end(), "ttpCircle"), 0);
  EXPECT_EQ(view[8], "ttpAngle");
  EXPECT_EQ(db.Scalar("PRAGMA integrity_check"), "ok");
  db.Exec("INSERT INTO tblTaskTurnpoint (tasPk, ttpNr) VALUES (1, 1)");
  EXPECT_EQ(db.Rows("SELECT * FROM lvwTaskTurnpoint").size(), 1u);
}

}  // namespace
