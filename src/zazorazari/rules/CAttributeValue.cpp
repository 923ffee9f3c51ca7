// Rules of attribute values: a value is found by its text and the name of its
// attribute; the attribute is created with its first value.
#include "zazorazari/rules/CAttributeValue.h"

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/rules/NaturalKeyWrite.h"
#include "zazorazari/rules/PilotSlotReferences.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

Variant CAttributeValue::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  engine::Database& db = Engine();
  const Variant& avaValue = dobj.Fields("avaValue")->Value();

  NaturalKeyWrite how;
  how.strTable = "tblAttributeValue";
  auto attributes = db.OpenRecordset("tblAttribute", engine::dbOpenDynaset);
  attributes->FindFirst(engine::Criteria{{"attName", TextCriterion(dobj.Fields("attName")->Value())}});
  if (attributes->NoMatch()) {
    // A value of a new attribute is new as well: nothing to search.
    attributes->AddNew();
    attributes->Fields("attName").SetValue(dobj.Fields("attName")->Value());
    attributes->Update();
    attributes->SetBookmark(attributes->LastModified());
  } else {
    how.criteria = {{{"avaValue", TextCriterion(avaValue)}, {"attPk", NumberCriterion(attributes->Fields(0).Value())}}};
  }
  const Variant attPk = attributes->Fields(0).Value();
  attributes->Close();

  how.copiedColumns = {"avaValue"};
  how.writeColumns = [&](engine::Recordset& rs) { rs.Fields("attPk").SetValue(attPk); };
  return WriteByNaturalKey(db, mode, dobj, lOverwriteMode, how);
}

Variant CAttributeValue::Delete(int32_t lPk, bool bDeleteReferences) {
  engine::Database& db = Engine();
  const Variant avaPk(lPk);
  // Checked before anything is deleted, so a refusal changes nothing.
  if (!bDeleteReferences && AnyPilotSlotHolds(db, avaPk)) return Variant::Error(enumInternalErrorDeleteRefToPilot);
  ClearPilotSlots(db, avaPk);
  db.Execute("DELETE * FROM tblPilotAttribute WHERE avaPk = " + std::to_string(lPk));
  db.Execute("DELETE * FROM tblAttributeValue WHERE avaPk = " + std::to_string(lPk));
  return Variant(0);
}

}  // namespace zazorazari
