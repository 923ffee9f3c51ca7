// Rules of gliders: a glider is found by name and manufacturer; the
// manufacturer lives exactly as long as one of its gliders.
#include "zazorazari/rules/CGlider.h"

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/rules/NaturalKeyWrite.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

Variant CGlider::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  engine::Database& db = Engine();
  const Variant& manName = dobj.Fields("manName")->Value();

  NaturalKeyWrite how;
  how.strTable = "tblGlider";
  auto manufacturers = db.OpenRecordset("tblManufacturer", engine::dbOpenDynaset);
  manufacturers->FindFirst(engine::Criteria{{"manName", TextCriterion(manName)}});
  if (manufacturers->NoMatch()) {
    // A glider of a new manufacturer is new as well: nothing to search.
    manufacturers->AddNew();
    manufacturers->Fields("manName").SetValue(manName);
    manufacturers->Update();
    manufacturers->SetBookmark(manufacturers->LastModified());
  } else {
    how.criteria = {{{"gliName", TextCriterion(dobj.Fields("gliName")->Value())},
                     {"manPk", NumberCriterion(manufacturers->Fields(0).Value())}}};
  }
  const Variant manPk = manufacturers->Fields(0).Value();
  manufacturers->Close();

  how.copiedColumns = {"gliName", "gliFAIClass"};
  how.writeColumns = [&](engine::Recordset& rs) { rs.Fields("manPk").SetValue(manPk); };
  return WriteByNaturalKey(db, mode, dobj, lOverwriteMode, how);
}

Variant CGlider::Delete(int32_t lPk, bool) {
  engine::Database& db = Engine();
  auto glider = db.OpenRecordset("SELECT * from tblGlider WHERE gliPk = " + std::to_string(lPk), engine::dbOpenDynaset);
  const Variant manPk = glider->Fields("manPk").Value();
  glider->Delete();
  glider->Close();

  if (manPk.IsNull()) return Variant(0);
  const std::string byManufacturer = " WHERE " + SqlEqualNumber("manPk", manPk);
  auto others = db.OpenRecordset("SELECT * from tblGlider" + byManufacturer, engine::dbOpenDynaset);
  const bool lastGlider = others->IsEOF();
  others->Close();
  if (lastGlider) {
    auto manufacturer = db.OpenRecordset("SELECT * from tblManufacturer" + byManufacturer, engine::dbOpenDynaset);
    if (!manufacturer->IsEOF()) manufacturer->Delete();
    manufacturer->Close();
  }
  return Variant(0);
}

}  // namespace zazorazari
