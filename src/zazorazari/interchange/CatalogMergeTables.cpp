// The catalogue tables and their natural keys. A turnpoint is also the
// turnpoint of the same ID, and a pilot the pilot of the same global ID,
// because the rules let no two rows share those.
#include "zazorazari/interchange/CatalogMergeTables.h"

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Field.h"
#include "zazorazari/engine/Recordset.h"

namespace zazorazari::interchange {

namespace {

// A pilot attribute is one pilot's value of one attribute: the attribute of
// its value is part of its key.
void AddAttributeOfValue(engine::Database& target, MergeRow& row) {
  Variant attribute = Variant::Null();
  if (!row["avaPk"].IsNull()) {
    auto value = target.OpenRecordset("SELECT * FROM tblAttributeValue WHERE " + SqlEqualNumber("avaPk", row["avaPk"]),
                                      engine::dbOpenSnapshot);
    if (!value->IsEOF()) attribute = value->Fields("attPk").Value();
    value->Close();
  }
  row["attPk"] = attribute;
}

}  // namespace

const std::vector<MergeTable>& CatalogMergeTables() {
  static const std::vector<MergeTable> tables{
      {.table = "tblNation", .keys = {{{"natCode3"}}}, .readOnly = true},
      {.table = "tblGeoDate", .keys = {{{"gedName"}}}},
      {.table = "tblOrigin", .keys = {{{"natPk", "oriRegion"}}, {{"oriRegionShort", "natPk"}, {}, true}}},
      {.table = "tblManufacturer", .keys = {{{"manName"}}}},
      {.table = "tblGlider", .keys = {{{"gliName", "manPk"}}}},
      {.table = "tblAttribute", .keys = {{{"attName"}}}},
      {.table = "tblAttributeValue", .keys = {{{"avaValue", "attPk"}}}},
      {.table = "tblTurnpoint",
       .keys = {{{"trnName", "oriPk", "trnPositionType"}}, {{"trnID"}, {}, true}},
       .unique = {"trnID"}},
      {.table = "tblReportString", .keys = {{{"rstCategory", "rstText"}}}},
      {.table = "tblPilot",
       .keys = {{{"pilIDGlobal"}, {}, true}, {{"pilLastName", "pilFirstName"}, {"pilIDGlobal", "pilBirthday"}}},
       // The slots follow the target's competition attributes; the scores
       // belong to the competition the pilot flew in.
       .derived = {"avaPk1", "avaPk2", "avaPk3", "avaPk4", "pilCompetitionScore", "pilCompetitionPlace",
                   "pilTaskPlaceSum"},
       .unique = {"pilNumber"}},
      {.table = "tblPilotAttribute",
       .keys = {{{"pilPk", "attPk"}}},
       .searchSource = "doPilotAttribute",
       .completeRow = AddAttributeOfValue},
  };
  return tables;
}

}  // namespace zazorazari::interchange
