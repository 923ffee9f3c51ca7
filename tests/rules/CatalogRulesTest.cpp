// Catalogue writes through the facade on real files: gliders with their
// manufacturers, origins by nation code and region, turnpoints with their
// identifier refusal, datums and report strings.
#include <gtest/gtest.h>

#include "rules/RuleTestHelpers.h"
#include "support/RawSqlite.h"
#include "zazorazari/platform/Conversions.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

CDataObjectPtr Glider(CDatabase& db, const std::string& manufacturer, const std::string& name) {
  return NewObject(db, "doGlider", {{"manName", manufacturer}, {"gliName", name}, {"gliFAIClass", 3}});
}

CDataObjectPtr Turnpoint(CDatabase& db, const std::string& name, const Variant& id, const Variant& natCode3) {
  return NewObject(db, "doTurnpoint", {{"trnName", name}, {"trnID", id}, {"trnPositionType", "GEO"},
                                       {"natCode3", natCode3}, {"gedName", "WGS 84"}});
}

}  // namespace

TEST(CatalogRules, GliderOverwriteModesAndManufacturer) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t sigma = db.AddDataObject(*Glider(db, "O'Neill \"Air\"", "Sigma \"8\""), enumOverwriteRaiseError);
  EXPECT_EQ(t.Scalar("SELECT manName FROM tblManufacturer"), "O'Neill \"Air\"");
  EXPECT_EQ(t.Scalar("SELECT gliFAIClass FROM tblGlider"), "3.0");

  EXPECT_EQ(db.AddDataObject(*Glider(db, "O'Neill \"Air\"", "Sigma \"8\""), enumOverwriteReturnPk), sigma);
  EXPECT_EQ(
      CaughtError([&] { db.AddDataObject(*Glider(db, "O'Neill \"Air\"", "Sigma \"8\""), enumOverwriteRaiseError); })
          .Number(),
      enumErrorRecordsetExists);
  EXPECT_EQ(t.Count("tblManufacturer"), 1);

  const int32_t forced = db.AddDataObject(*Glider(db, "O'Neill \"Air\"", "Sigma \"8\""), enumOverwriteForce);
  EXPECT_GT(forced, sigma);
  EXPECT_EQ(t.Count("tblGlider"), 1);

  // The natural key is name and manufacturer.
  const int32_t other = db.AddDataObject(*Glider(db, "Advance", "Sigma \"8\""), enumOverwriteRaiseError);
  EXPECT_EQ(t.Count("tblGlider"), 2);
  EXPECT_EQ(t.Count("tblManufacturer"), 2);

  // A manufacturer lives as long as one of its gliders.
  const int32_t second = db.AddDataObject(*Glider(db, "Advance", "Epsilon"), enumOverwriteRaiseError);
  db.DeleteDataObject("doGlider", other, false);
  EXPECT_EQ(t.Count("tblManufacturer", "manName='Advance'"), 1);
  db.DeleteDataObject("doGlider", second, false);
  EXPECT_EQ(t.Count("tblManufacturer", "manName='Advance'"), 0);
  EXPECT_EQ(t.Count("tblManufacturer"), 1);
}

TEST(CatalogRules, ModifyingToOwnNameIsNoCollision) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t a = db.AddDataObject(*Glider(db, "Gin", "Boomerang"), enumOverwriteRaiseError);
  const int32_t b = db.AddDataObject(*Glider(db, "Gin", "Bolero"), enumOverwriteRaiseError);
  auto stored = db.GetDataObject("doGlider", a);
  stored->Fields("gliFAIClass")->SetValue(1);
  EXPECT_EQ(db.UpdateDataObject(*stored, enumOverwriteRaiseError), a);
  EXPECT_EQ(t.Scalar("SELECT gliFAIClass FROM tblGlider WHERE gliPk=" + std::to_string(a)), "1.0");

  stored->Fields("gliName")->SetValue("Bolero");
  EXPECT_EQ(db.UpdateDataObject(*stored, enumOverwriteReturnPk), b);
  EXPECT_EQ(CaughtError([&] { db.UpdateDataObject(*stored, enumOverwriteRaiseError); }).Number(),
            enumErrorRecordsetExists);
  EXPECT_EQ(t.Scalar("SELECT gliName FROM tblGlider WHERE gliPk=" + std::to_string(a)), "Boomerang");
}

TEST(CatalogRules, OriginByNationCodeAndRegion) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t gr = db.AddDataObject(
      *NewObject(db, "doOrigin", {{"natCode3", "CHE"}, {"oriRegion", "Graubünden"}, {"oriRegionShort", "GR"}}),
      enumOverwriteRaiseError);
  EXPECT_EQ(t.Scalar("SELECT natPk FROM tblOrigin WHERE oriPk=" + std::to_string(gr)), "756");

  // The short region names the same origin as the long one.
  EXPECT_EQ(db.AddDataObject(
                *NewObject(db, "doOrigin", {{"natCode3", "CHE"}, {"oriRegion", "Grisons"}, {"oriRegionShort", "GR"}}),
                enumOverwriteReturnPk),
            gr);

  // A null region is found as the nation's origin without region.
  auto nation = NewObject(db, "doOrigin", {{"natPk", 756}});
  const int32_t ch = db.AddDataObject(*nation, enumOverwriteRaiseError);
  EXPECT_NE(ch, gr);
  EXPECT_EQ(db.AddDataObject(*nation, enumOverwriteReturnPk), ch);

  // A forced replacement by the long region ends the search: the origin that
  // only shares the short region stays.
  auto valais = NewObject(db, "doOrigin", {{"natPk", 756}, {"oriRegion", "Valais"}});
  const int32_t replaced = db.AddDataObject(*valais, enumOverwriteRaiseError);
  SetFields(*valais, {{"oriRegion", "Wallis"}, {"oriRegionShort", "VS"}});
  const int32_t wallis = db.AddDataObject(*valais, enumOverwriteRaiseError);
  valais->Fields("oriRegion")->SetValue("Valais");
  EXPECT_GT(db.AddDataObject(*valais, enumOverwriteForce), wallis);
  EXPECT_EQ(t.Count("tblOrigin", "oriPk IN (" + std::to_string(replaced) + "," + std::to_string(wallis) + ")"), 1);

  // An unknown nation writes nothing: NULL, which the facade answers as 0.
  const auto before = t.Count("tblOrigin");
  auto unknown = NewObject(db, "doOrigin", {{"natCode3", "X\"Y"}});
  EXPECT_TRUE(db.AddDataObjectInternal(*unknown, enumOverwriteRaiseError).IsNull());
  EXPECT_EQ(db.AddDataObject(*unknown, enumOverwriteRaiseError), 0);
  EXPECT_EQ(t.Count("tblOrigin"), before);
}

TEST(CatalogRules, TurnpointIdentifierAndReferencedRows) {
  TestDatabase t;
  CDatabase& db = t.Db();
  const int32_t peak = db.AddDataObject(*Turnpoint(db, "Piz d'Err", "PE1", "CHE"), enumOverwriteRaiseError);
  EXPECT_EQ(t.Scalar("SELECT geoPk FROM tblTurnpoint"), "243");
  EXPECT_EQ(t.Scalar("SELECT natPk FROM tblOrigin o JOIN tblTurnpoint p ON p.oriPk=o.oriPk"), "756");

  // Another turnpoint with the same identifier is refused whatever the mode.
  for (EnumOverwriteMode mode : {enumOverwriteForce, enumOverwriteRaiseError, enumOverwriteReturnPk}) {
    db.SetLastDuplicatedPk(0);
    Error refused = CaughtError([&] { db.AddDataObject(*Turnpoint(db, "Other", "PE1", "CHE"), mode); });
    EXPECT_EQ(refused.Number(), enumErrorTurnpointIDExists);
    EXPECT_EQ(db.LastDuplicatedPk(), peak);
  }
  Variant internal = db.AddDataObjectInternal(*Turnpoint(db, "Other", "PE1", Variant::Null()), enumOverwriteForce);
  ASSERT_TRUE(internal.IsError());
  EXPECT_EQ(internal.ErrorCode(), enumInternalErrorTurnpointIDExists);

  // A forced replacement of the same turnpoint skips the identifier test,
  // even where an imported twin holds the identifier too.
  t.Sql("INSERT INTO tblTurnpoint (trnName, trnID, trnPositionType) VALUES ('Twin', 'PE1', 'UTM')");
  const int32_t replaced = db.AddDataObject(*Turnpoint(db, "Piz d'Err", "PE1", "CHE"), enumOverwriteForce);
  EXPECT_GT(replaced, peak);
  EXPECT_EQ(t.Count("tblTurnpoint"), 2);
  t.Sql("DELETE FROM tblTurnpoint WHERE trnName='Twin'");

  // Modifying it without changes finds itself.
  auto stored = db.GetDataObject("doTurnpoint", replaced);
  stored->Fields("trnPositionAltitude")->SetValue(3378);
  EXPECT_EQ(db.UpdateDataObject(*stored, enumOverwriteRaiseError), replaced);
  EXPECT_EQ(t.Scalar("SELECT trnPositionAltitude FROM tblTurnpoint WHERE trnPk=" + std::to_string(replaced)), "3378.0");

  // A turnpoint of unknown nation has no origin.
  const int32_t loose = db.AddDataObject(*Turnpoint(db, "Nowhere", Variant::Null(), "ZZZ"), enumOverwriteRaiseError);
  EXPECT_EQ(t.Scalar("SELECT oriPk FROM tblTurnpoint WHERE trnPk=" + std::to_string(loose)), "");
}

TEST(CatalogRules, DatumAndReportStrings) {
  TestDatabase t;
  CDatabase& db = t.Db();
  auto datum = NewObject(db, "doGeoDate", {{"gedName", "WGS 84"}});
  EXPECT_EQ(db.AddDataObject(*datum, enumOverwriteReturnPk), 243);
  datum->Fields("gedName")->SetValue("Local \"1\"");
  const int32_t local = db.AddDataObject(*datum, enumOverwriteRaiseError);
  db.DeleteDataObject("doGeoDate", local, false);
  EXPECT_EQ(t.Count("tblGeoDate", "gedPk=243"), 1);
  EXPECT_EQ(t.Count("tblGeoDate", "gedPk=" + std::to_string(local)), 0);

  // The category is a number; text and category together are the key.
  auto text = NewObject(db, "doReportString", {{"rstCategory", 2}, {"rstText", "Pilot's \"best\" task"}});
  const int32_t first = db.AddDataObject(*text, enumOverwriteRaiseError);
  EXPECT_EQ(db.AddDataObject(*text, enumOverwriteReturnPk), first);
  EXPECT_EQ(db.AddDataObject(*db.GetDataObject("doReportString", first), enumOverwriteReturnPk), first);
  text->Fields("rstCategory")->SetValue(3);
  EXPECT_NE(db.AddDataObject(*text, enumOverwriteRaiseError), first);
  db.DeleteDataObject("doReportString", first, false);
  db.DeleteDataObject("doReportString", first, false);  // an absent key deletes nothing
  EXPECT_EQ(t.Count("tblReportString"), 1);
}

// Origins, turnpoints and datums delete through a recordset on the key: an
// absent key has no current row, which the facade reports; nothing changes.
TEST(CatalogRules, DeletingAnAbsentKeyIsReported) {
  TestDatabase t;
  for (const char* type : {"doOrigin", "doTurnpoint", "doGeoDate"}) {
    const std::string before = RawSqlite(t.FilePath()).Dump();
    const Error error = CaughtError([&] { t.Db().DeleteDataObject(type, 424242, false); });
    EXPECT_EQ(error.Number(), enumErrorDeleteDataObject) << type;
    EXPECT_NE(error.Description().find("<Error/3021/"), std::string::npos) << type << ": " << error.Description();
    EXPECT_EQ(RawSqlite(t.FilePath()).Dump(), before) << type;
  }
}
