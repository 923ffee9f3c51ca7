// The natural-key write of the catalogue, attribute and report-string rules.
#include "zazorazari/rules/NaturalKeyWrite.h"

#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

namespace {

const Variant& RecordKey(const CDataObject& dobj) { return dobj.Item(1)->Value(); }

}  // namespace

bool IsOtherRow(engine::Recordset& rs, EnumUpdate mode, const CDataObject& dobj) {
  return mode != enumUpdateModify || !IsEqualOrBothNull(rs.Fields(0).Value(), RecordKey(dobj));
}

Variant WriteByNaturalKey(engine::Database& db, EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode lOverwriteMode,
                          const NaturalKeyWrite& how) {
  auto rs = db.OpenRecordset(how.strTable, engine::dbOpenDynaset);

  bool bForcedDelete = false;
  for (const engine::Criteria& criterion : how.criteria) {
    if (bForcedDelete) break;
    rs->FindFirst(criterion);
    if (rs->NoMatch() || !IsOtherRow(*rs, mode, dobj)) continue;
    switch (lOverwriteMode) {
      case enumOverwriteForce:
        rs->Delete();
        bForcedDelete = true;
        break;
      case enumOverwriteRaiseError:
        rs->Close();
        return Variant::Error(enumInternalErrorRecordsetExists);
      case enumOverwriteReturnPk: {
        Variant found = rs->Fields(0).Value();
        rs->Close();
        return found;
      }
      default:  // an unknown mode writes as if there were no collision
        break;
    }
  }

  if (how.beforeWrite) {
    if (auto refusal = how.beforeWrite(*rs, bForcedDelete)) {
      rs->Close();
      return *refusal;
    }
  }

  if (mode == enumUpdateModify) {
    // The key must be a number: NumberCriterion refuses anything else.
    rs->FindFirst(engine::Criteria{{rs->Fields(0).Name(), NumberCriterion(RecordKey(dobj))}});
    rs->Edit();
  } else {
    rs->AddNew();
  }
  for (const std::string& column : how.copiedColumns) rs->Fields(column).SetValue(dobj.Fields(column)->Value());
  if (how.writeColumns) how.writeColumns(*rs);
  rs->Update();
  Variant key = LastModifiedKey(*rs);
  rs->Close();
  return key;
}

}  // namespace zazorazari
