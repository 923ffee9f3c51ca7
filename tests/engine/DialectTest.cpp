// The SQL dialect end to end: each construct selects the right rows of a real
// file; texts outside the dialect fail with 3075.
#include "engine/EngineTestDb.h"

namespace {

using namespace zazorazari;
using namespace zazorazari::engine;

class DialectTest : public zaztest::EngineTest {
 protected:
  // The last names a SELECT gives, in order, joined by "|".
  std::string Names(const std::string& sql) {
    auto rs = m_db->OpenRecordset(sql, dbOpenSnapshot);
    std::string out;
    for (; !rs->IsEOF(); rs->MoveNext()) out += (out.empty() ? "" : "|") + rs->Fields("pilLastName").Value().Text();
    return out;
  }
  std::string Where(const std::string& criteria) { return Names("SELECT * FROM tblPilot WHERE " + criteria); }
};

TEST_F(DialectTest, TextLiteralsInEitherQuoteCharacter) {
  EXPECT_EQ(Where("pilLastName=\"O'Brien\""), "O'Brien");
  EXPECT_EQ(Where("pilLastName='O''Brien'"), "O'Brien");
  EXPECT_EQ(Where("pilLastName=\"Club \"\"Les Aigles\"\"\""), "Club \"Les Aigles\"");
  EXPECT_EQ(Where("pilLastName = 'MEIER'"), "Meier");  // NOCASE columns
  EXPECT_EQ(Names("select * from TBLPILOT where PILLASTNAME = 'dupont'"), "Dupont");

  const std::string both = "Col d'Izoard \"Nord\"";
  auto rs = m_db->OpenRecordset("tblPilot");
  rs->AddNew();
  rs->Fields("pilLastName").SetValue(both);
  rs->Update();
  EXPECT_EQ(Where("pilLastName='Col d''Izoard \"Nord\"'"), both);
  EXPECT_EQ(Where("pilLastName=\"Col d'Izoard \"\"Nord\"\"\""), both);
}

TEST_F(DialectTest, LikeTranslatesWildcardsAndKeepsPercentLiteral) {
  Exec("INSERT INTO tblPilot (pilLastName) VALUES ('1000 sure'), ('100%xsure')");
  EXPECT_EQ(Where("pilLastName LIKE 'D*'"), "Dupont");
  EXPECT_EQ(Where("pilLastName LIKE '?EIER'"), "Meier");
  EXPECT_EQ(Where("pilLastName LIKE '100%*'"), "100%_sure|100%xsure");
  EXPECT_EQ(Where("pilLastName LIKE '100%_*'"), "100%_sure");
  EXPECT_EQ(Where("pilLastName NOT LIKE '*e*' AND pilLastName LIKE '*t'"), "Dupont");
}

TEST_F(DialectTest, DatesNullTestsBooleansAndOperators) {
  EXPECT_EQ(Where("pilBirthday = #3/10/1968#"), "Meier");
  EXPECT_EQ(Where("pilBirthday = #6/11/1968 12:00:00#"), "Dupont");
  EXPECT_EQ(Where("pilBirthday > #1/1/1968# AND pilBirthday < #6/11/1968#"), "Meier");
  EXPECT_EQ(Where("ISNULL(pilBirthday) AND NOT ISNULL(pilActive)"), "O'Brien|Club \"Les Aigles\"");
  EXPECT_EQ(Where("pilActive = True"), "Meier|Dupont");
  EXPECT_EQ(Where("pilActive = False OR pilScore IS NULL"), "O'Brien|Dupont|Club \"Les Aigles\"");
  EXPECT_EQ(Where("pilScore IS NOT NULL AND pilScore <> 20 AND (pilScore >= 5 OR pilPk=5)"),
            "Meier|Club \"Les Aigles\"|100%_sure");
  EXPECT_EQ(Where("[pilLastName] <= 'C' AND pilScore < 10.25"), "100%_sure");
}

TEST_F(DialectTest, OrderByTermsWithDirections) {
  EXPECT_EQ(Names("SELECT * FROM tblPilot WHERE natPk = 2 ORDER BY pilLastName"), "Dupont|O'Brien");
  EXPECT_EQ(Names("SELECT * FROM tblPilot ORDER BY natPk DESC, pilLastName"),
            "Dupont|O'Brien|100%_sure|Meier|Club \"Les Aigles\"");
}

TEST_F(DialectTest, ExecuteRunsOnlyDeleteStatements) {
  m_db->Execute("DELETE * FROM tblPilot WHERE pilScore < 10 OR ISNULL(pilScore)");
  EXPECT_EQ(Scalar("SELECT group_concat(pilPk) FROM tblPilot"), "1,2");
  EXPECT_EQ(zaztest::ErrorNumberOf([&] { m_db->Execute("DROP TABLE tblPilot"); }), 3075);
  EXPECT_EQ(zaztest::ErrorNumberOf([&] { m_db->Execute("DELETE * FROM tblPilot; DROP TABLE tblNation"); }), 3075);
  EXPECT_EQ(zaztest::ErrorNumberOf([&] { m_db->Execute("DELETE * FROM tblNobody WHERE x = 1"); }), 3265);
  EXPECT_EQ(Scalar("SELECT count(*) FROM tblNation"), "2");
}

TEST_F(DialectTest, TextsOutsideTheDialectFail) {
  const char* const invalid[] = {
      "SELECT * FROM tblPilot WHERE pilPk = 1; DELETE FROM tblPilot",
      "SELECT * FROM tblPilot WHERE UCase(pilLastName) = 'X'",
      "SELECT * FROM tblPilot WHERE pilLastName = 'abc",
      "SELECT * FROM tblPilot WHERE pilBirthday = #2/30/2001#",
      "SELECT * FROM tblPilot WHERE pilBirthday = #1/1/2001",
      "SELECT pilPk FROM tblPilot",
      "SELECT * FROM tblPilot WHERE",
      "SELECT * FROM tblPilot WHERE pilPk = = 1",
      "SELECT * FROM tblPilot WHERE (pilPk = 1",
      "SELECT * FROM tblPilot WHERE pilPk = 1 -- comment",
      "SELECT * FROM tblPilot WHERE pilPk = ?",
  };
  for (const char* sql : invalid) {
    try {
      m_db->OpenRecordset(sql);
      ADD_FAILURE() << sql;
    } catch (const Error& error) {
      EXPECT_EQ(error.Number(), 3075) << sql;
      EXPECT_EQ(error.Source(), "Engine.Database");
      EXPECT_NE(error.Description().find(sql), std::string::npos) << error.Description();
    }
  }
  auto rs = m_db->OpenRecordset("tblPilot", dbOpenDynaset);
  EXPECT_EQ(zaztest::ErrorNumberOf([&] { rs->FindFirst("pilPk = 1 OR"); }), 3075);
  EXPECT_EQ(zaztest::ErrorNumberOf([&] { rs->FindFirst(""); }), 3075);
  EXPECT_EQ(zaztest::ErrorNumberOf([&] { rs->FindFirst("nosuchColumn = 1"); }), 3265);
  EXPECT_EQ(zaztest::ErrorNumberOf([&] { m_db->OpenRecordset("SELECT * FROM tblNobody"); }), 3265);
  EXPECT_EQ(zaztest::ErrorNumberOf([&] { m_db->OpenRecordset("tblNobody"); }), 3265);
}

}  // namespace
