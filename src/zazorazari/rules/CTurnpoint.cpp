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
  how.criteria = {{{"trnName", TextCriterion(dobj.Fields("trnName")->Value())},
                   {"oriPk", NumberCriterion(oriPk)},
                   {"trnPositionType", TextCriterion(dobj.Fields("trnPositionType")->Value())}}};

  Variant geoPk = Variant::Null();
  const Variant& gedName = dobj.Fields("gedName")->Value();
  const bool bKeepDatum = m_bKeepDatumKeys && gedName.VarType() == vtString;
  const auto keptDatum = bKeepDatum ? m_datumKeys.find(gedName.Text()) : m_datumKeys.end();
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
    if (keptDatum != m_datumKeys.end()) {
      geoPk = keptDatum->second;
    } else if (!gedName.IsNull()) {
      geoPk = FindOrCreate(facade, rules.GeoDate(), "doGeoDate", dobj);
    }
    return std::nullopt;
  };
  how.writeColumns = [&](engine::Recordset& rs) {
    dobj.SaveToDAORecordset(rs);
    rs.Fields("geoPk").SetValue(geoPk);
    rs.Fields("oriPk").SetValue(oriPk);
  };
  Variant key = WriteByNaturalKey(Engine(), mode, dobj, lOverwriteMode, how);
  // Kept only once a turnpoint refers to it: a datum made for a refused
  // turnpoint may still be undone.
  if (bKeepDatum && !key.IsError() && !geoPk.IsNull() && !geoPk.IsError()) m_datumKeys.emplace(gedName.Text(), geoPk);
  return key;
}

void CTurnpoint::KeepDatumKeys(bool bKeep) {
  m_bKeepDatumKeys = bKeep;
  m_datumKeys.clear();
}

Variant CTurnpoint::Delete(int32_t lPk, bool) {
  auto rs = Engine().OpenRecordset("SELECT * from tblTurnpoint WHERE trnPk = " + std::to_string(lPk), engine::dbOpenDynaset);
  rs->Delete();
  rs->Close();
  return Variant(0);
}

}  // namespace zazorazari
