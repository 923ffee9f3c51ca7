// Rules of catalogue turnpoints: found by name, origin and position type; the
// identifier belongs to one turnpoint only. The origin and the datum the
// record names are found or created on the way.
#include "zazorazari/rules/CTurnpoint.h"

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeInternals.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/rules/CRuleObjects.h"
#include "zazorazari/rules/NaturalKeyWrite.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

namespace {

// The key of the catalogue row of type strType filled from dobj, found or
// created by rule.
Variant FindOrCreate(CDatabase& facade, CRule& rule, const std::string& strType, const CDataObject& dobj) {
  CDataObjectPtr row = facade.CreateDataObject(strType);
  row->FillFieldsFrom(dobj);
  return rule.Update(enumUpdateNew, *row, enumOverwriteReturnPk);
}

}  // namespace

Variant CTurnpoint::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode) {
  CDatabase& facade = Facade();
  CRuleObjects& rules = FacadeInternals::Rules(facade);

  Variant oriPk = Variant::Null();
  if (!dobj.Fields("natPk")->Value().IsNull() || !dobj.Fields("natCode3")->Value().IsNull()) {
    oriPk = FindOrCreate(facade, rules.Origin(), "doOrigin", dobj);
  }

  NaturalKeyWrite how;
  how.strTable = "tblTurnpoint";
  how.criteria = {SqlEqualText("trnName", dobj.Fields("trnName")->Value()) + " AND " + SqlEqualNumber("oriPk", oriPk) +
                  " AND " + SqlEqualText("trnPositionType", dobj.Fields("trnPositionType")->Value())};

  Variant geoPk = Variant::Null();
  how.beforeWrite = [&](engine::Recordset& rs, bool bForcedDelete) -> std::optional<Variant> {
    const Variant& trnID = dobj.Fields("trnID")->Value();
    // A turnpoint just replaced by force took its identifier with it.
    if (!bForcedDelete && !trnID.IsNull()) {
      rs.FindFirst(engine::Criteria{{"trnID", TextCriterion(trnID)}});
      if (!rs.NoMatch() && IsOtherRow(rs, mode, dobj)) {
        facade.SetLastDuplicatedPk(CLng(rs.Fields(0).Value()));
        return Variant::Error(enumInternalErrorTurnpointIDExists);
      }
    }
    if (!dobj.Fields("gedName")->Value().IsNull()) geoPk = FindOrCreate(facade, rules.GeoDate(), "doGeoDate", dobj);
    return std::nullopt;
  };
  how.writeColumns = [&](engine::Recordset& rs) {
    dobj.SaveToDAORecordset(rs);
    rs.Fields("geoPk").SetValue(geoPk);
    rs.Fields("oriPk").SetValue(oriPk);
  };
  return WriteByNaturalKey(Engine(), mode, dobj, lOverwriteMode, how);
}

Variant CTurnpoint::Delete(int32_t lPk, bool) {
  auto rs = Engine().OpenRecordset("SELECT * from tblTurnpoint WHERE trnPk = " + std::to_string(lPk), engine::dbOpenDynaset);
  rs->Delete();
  rs->Close();
  return Variant(0);
}

}  // namespace zazorazari
