// Rules of one pilot attribute row: the attribute value is found or created
// by attribute name and value text, and the row refers to it.
#include "zazorazari/rules/CPilotAttribute.h"

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeInternals.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/rules/CRuleObjects.h"

namespace zazorazari {

Variant CPilotAttribute::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode) {
  const int32_t avaPk = CLng(FacadeInternals::Rules(Facade()).AttributeValue().Update(enumUpdateNew, dobj, enumOverwriteReturnPk));

  // A member not stored yet may carry a NULL key: it selects no row and is added.
  auto rs = Engine().OpenRecordset("SELECT * FROM tblPilotAttribute WHERE " + SqlEqualNumber("patPk", dobj.Item(1)->Value()),
                                   engine::dbOpenDynaset);
  if (mode == enumUpdateModify) {
    rs->Edit();
  } else {
    rs->AddNew();
  }
  rs->Fields("pilPk").SetValue(dobj.Fields("pilPk")->Value());
  rs->Fields("avaPk").SetValue(avaPk);
  rs->Update();
  rs->Close();
  return Variant(avaPk);
}

Variant CPilotAttribute::Delete(int32_t lPk, bool) {
  auto rs = Engine().OpenRecordset("SELECT * FROM tblPilotAttribute WHERE patPk = " + std::to_string(lPk),
                                   engine::dbOpenDynaset);
  rs->Delete();
  rs->Close();
  return Variant(0);
}

}  // namespace zazorazari
