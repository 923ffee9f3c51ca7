// Rules of pilot attributes. Deleting one takes its values with it, and the
// references to them in pilots' slots, pilot attribute rows and the
// competition's attribute slots.
#include "zazorazari/rules/CAttribute.h"

#include <vector>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/rules/NaturalKeyWrite.h"
#include "zazorazari/rules/RuleCriteria.h"
#include "zazorazari/rules/PilotSlotReferences.h"

namespace zazorazari {

Variant CAttribute::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  NaturalKeyWrite how;
  how.strTable = "tblAttribute";
  how.criteria = {{{"attName", TextCriterion(dobj.Fields("attName")->Value())}}};
  how.copiedColumns = {"attName"};
  return WriteByNaturalKey(Engine(), mode, dobj, lOverwriteMode, how);
}

Variant CAttribute::Delete(int32_t lPk, bool bDeleteReferences) {
  engine::Database& db = Engine();
  const std::string attPk = std::to_string(lPk);

  std::vector<Variant> valueKeys;
  auto values = db.OpenRecordset("SELECT * FROM tblAttributeValue WHERE attPk = " + attPk, engine::dbOpenSnapshot);
  for (; !values->IsEOF(); values->MoveNext()) valueKeys.push_back(values->Fields(0).Value());
  values->Close();

  // Every value is checked before anything is written, so a refusal leaves
  // the file as it was.
  if (!bDeleteReferences) {
    for (const Variant& avaPk : valueKeys) {
      if (AnyPilotSlotHolds(db, avaPk)) return Variant::Error(enumInternalErrorDeleteRefToPilot);
    }
  }
  for (const Variant& avaPk : valueKeys) {
    ClearPilotSlots(db, avaPk);
    db.Execute("DELETE * FROM tblPilotAttribute WHERE " + SqlEqualNumber("avaPk", avaPk));
  }
  db.Execute("DELETE * FROM tblAttributeValue WHERE attPk = " + attPk);

  auto competition = db.OpenRecordset("SELECT * from tblCompetition", engine::dbOpenDynaset);
  competition->Edit();
  for (int slot = 1; slot <= 4; ++slot) {
    engine::Field& field = competition->Fields("attPk" + std::to_string(slot));
    if (IsEqualOrBothNull(field.Value(), Variant(lPk))) field.SetValue(Variant::Null());
  }
  competition->Update();
  competition->Close();

  db.Execute("DELETE * FROM tblAttribute WHERE attPk = " + attPk);
  // The competition's attribute names come from its slots, which may have changed.
  Facade().SetCompetitionObject(Facade().GetDataObject("doCompetition", 1));
  return Variant();
}

}  // namespace zazorazari
