// Writing a result row found by its pilot and task.
#include "zazorazari/rules/CResult.h"

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeInternals.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/rules/CRuleObjects.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

Variant CResult::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode) {
  if (mode != enumUpdateModify) return Variant::Error(enumInternalErrorFunctionNotSupported);

  Variant datum = Variant::Null();
  if (!dobj.Fields("gedName")->Value().IsNull()) {
    CDataObjectPtr geoDate = Facade().CreateDataObject("doGeoDate");
    geoDate->FillFieldsFrom(dobj);
    datum = FacadeInternals::Rules(Facade()).GeoDate().Update(enumUpdateNew, *geoDate, enumOverwriteReturnPk);
  }

  auto rs = Engine().OpenRecordset("tblResult", engine::dbOpenDynaset);
  rs->FindFirst(engine::Criteria{{"pilPk", NumberCriterion(dobj.Fields("pilPk")->Value())},
                                 {"tasPk", NumberCriterion(dobj.Fields("tasPk")->Value())}});
  if (rs->NoMatch()) {
    rs->Close();
    return Variant::Error(enumInternalErrorResultNotFound);
  }
  rs->Edit();
  dobj.SaveToDAORecordset(*rs);
  rs->Fields("geoPk").SetValue(datum);
  rs->Update();
  const Variant key = LastModifiedKey(*rs);
  rs->Close();
  return key;
}

}  // namespace zazorazari
