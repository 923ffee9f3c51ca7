// One task turnpoint row: written from its record, or deleted by key.
#include "zazorazari/rules/CTaskTurnpoint.h"

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

Variant CTaskTurnpoint::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode) {
  auto rs = Engine().OpenRecordset("tblTaskTurnpoint", engine::dbOpenDynaset);
  if (mode == enumUpdateModify) {
    const CFieldPtr key = dobj.Item(Variant(int32_t{1}));
    rs->FindFirst(
        engine::Criteria{{TableColumn(Engine(), "tblTaskTurnpoint", key->Name()), NumberCriterion(key->Value())}});
    rs->Edit();
  } else {
    dobj.Fields("ttpPk")->SetValue(Variant::Null());
    rs->AddNew();
  }
  dobj.SaveToDAORecordset(*rs);
  rs->Update();
  const Variant key = LastModifiedKey(*rs);
  rs->Close();
  return key;
}

Variant CTaskTurnpoint::Delete(int32_t lPk, bool) {
  auto rs = Engine().OpenRecordset("SELECT * from tblTaskTurnpoint WHERE ttpPk = " + std::to_string(lPk),
                                   engine::dbOpenDynaset);
  rs->Delete();
  rs->Close();
  return Variant(int32_t{0});
}

}  // namespace zazorazari
