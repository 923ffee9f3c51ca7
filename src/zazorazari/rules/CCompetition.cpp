// Writing the competition record and keeping what hangs on it consistent:
// attribute slots, formula parameter rows and the pilots' slot values.
#include "zazorazari/rules/CCompetition.h"

#include <array>
#include <cmath>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Clock.h"
#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

Variant CCompetition::GetAttributePk(const CDataObject& dobj, int slot) {
  const Variant name = dobj.Fields(Slot("attName", slot))->Value();
  if (name.IsNull()) return Variant::Null();
  auto rs = Engine().OpenRecordset("tblAttribute", engine::dbOpenDynaset);
  rs->FindFirst(engine::Criteria{{"attName", TextCriterion(name)}});
  if (rs->NoMatch()) {
    // Naming an attribute that does not exist yet creates it.
    rs->AddNew();
    rs->Fields("attName").SetValue(name);
    rs->Update();
    rs->SetBookmark(rs->LastModified());
  }
  const Variant key = rs->Fields(0).Value();
  rs->Close();
  return key;
}

void CCompetition::SaveFormulaParameter(const CDataObject& dobj) {
  const Variant formulaID = dobj.Fields("comFormulaID")->Value();
  // Without a formula there is no row to write; the record is incomplete.
  if (formulaID.IsNull()) throw RuntimeError(errInvalidUseOfNull);
  auto rs = Engine().OpenRecordset("tblFormulaCompetition", engine::dbOpenDynaset);
  const std::string keyColumn = rs->Fields(0).Name();
  rs->FindFirst(engine::Criteria{{keyColumn, NumberCriterion(formulaID)}});
  if (rs->NoMatch()) {
    rs->AddNew();
    rs->Fields(0).SetValue(formulaID);
  } else {
    rs->Edit();
  }
  rs->Fields("forParameter").SetValue(dobj.Fields("forParameter")->Value());
  rs->Update();
  rs->Close();
}

Variant CCompetition::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode) {
  if (mode != enumUpdateModify) return Variant::Error(enumInternalErrorFunctionNotSupported);

  std::array<Variant, 4> attributes;
  for (int slot = 1; slot <= 4; ++slot) attributes[slot - 1] = GetAttributePk(dobj, slot);
  SaveFormulaParameter(dobj);

  auto rs = Engine().OpenRecordset("tblCompetition", engine::dbOpenDynaset);
  rs->MoveFirst();
  rs->Edit();
  bool attributesChanged = false;
  for (int slot = 1; slot <= 4; ++slot) {
    if (!IsEqualOrBothNull(rs->Fields(Slot("attPk", slot)).Value(), attributes[slot - 1])) attributesChanged = true;
  }
  // A catalogue's comDateTo tells when its competition record last changed.
  if (Facade().FileType() == enumFileCatalog) dobj.Fields("comDateTo")->SetValue(Variant::Date(std::floor(Now())));
  dobj.SaveToDAORecordset(*rs);
  for (int slot = 1; slot <= 4; ++slot) rs->Fields(Slot("attPk", slot)).SetValue(attributes[slot - 1]);
  rs->Update();
  rs->SetBookmark(rs->LastModified());  // the slots below are read from that row
  const Variant key = rs->Fields(0).Value();

  if (attributesChanged) LoadPilotAttributeValues(rs.get());
  AddMissingTaskFormulaRows(*rs);
  rs->Close();

  // Later rules read the slots and the FAI class from the cached record.
  Facade().SetCompetitionObject(Facade().GetDataObject("doCompetition", 1));
  return key;
}

void CCompetition::AddMissingTaskFormulaRows(engine::Recordset& competition) {
  const Variant formulaID = competition.Fields("ComFormulaID").Value();
  auto tasks = Engine().OpenRecordset("tblTask", engine::dbOpenSnapshot);
  auto formulas = Engine().OpenRecordset("tblFormulaTask", engine::dbOpenDynaset);
  for (; !tasks->IsEOF(); tasks->MoveNext()) {
    const Variant task = tasks->Fields(0).Value();
    formulas->FindFirst(
        engine::Criteria{{"tasPk", NumberCriterion(task)}, {"fotFormulaID", NumberCriterion(formulaID)}});
    if (!formulas->NoMatch()) continue;
    formulas->AddNew();
    formulas->Fields("tasPk").SetValue(task);
    formulas->Fields("fotParameter").SetValue(" ");
    formulas->Fields("fotFormulaID").SetValue(formulaID);
    formulas->Update();
  }
  formulas->Close();
  tasks->Close();
}

void CCompetition::LoadPilotAttributeValues(engine::Recordset* vrsCompetition) {
  std::shared_ptr<engine::Recordset> ownCompetition;
  if (vrsCompetition == nullptr) {
    ownCompetition = Engine().OpenRecordset("tblCompetition", engine::dbOpenDynaset);
    ownCompetition->MoveFirst();
    vrsCompetition = ownCompetition.get();
  }
  std::array<Variant, 4> attributes;
  for (int slot = 1; slot <= 4; ++slot) attributes[slot - 1] = vrsCompetition->Fields(Slot("attPk", slot)).Value();

  auto pilots = Engine().OpenRecordset("tblPilot", engine::dbOpenDynaset);
  auto values = Engine().OpenRecordset("doPilotAttribute", engine::dbOpenDynaset);
  for (; !pilots->IsEOF(); pilots->MoveNext()) {
    const std::string pilot = SqlEqualNumber("pilPk", pilots->Fields(0).Value());
    pilots->Edit();
    for (int slot = 1; slot <= 4; ++slot) {
      Variant value = Variant::Null();
      if (!attributes[slot - 1].IsNull()) {
        values->FindFirst(pilot + " AND " + SqlEqualNumber("attPk", attributes[slot - 1]));
        if (!values->NoMatch()) value = values->Fields("avaPk").Value();
      }
      pilots->Fields(Slot("avaPk", slot)).SetValue(value);
    }
    pilots->Update();
  }
  values->Close();
  pilots->Close();
  if (ownCompetition) ownCompetition->Close();
}

int32_t CCompetition::LoadPilotAttributeValue(CDataObject& dobjPilot, CDatabase& objAnotherDatabase) {
  auto otherDb = objAnotherDatabase.DatabaseObject();
  if (!otherDb) throw RuntimeError(errObjectNotSet);
  CDataObjectPtr competition = Facade().CompetitionObject();
  if (!competition) throw RuntimeError(errObjectNotSet);

  auto values = otherDb->OpenRecordset("doPilotAttribute", engine::dbOpenDynaset);
  const std::string pilot = SqlEqualNumber("pilPk", dobjPilot.Fields("pilPk")->Value());
  for (int slot = 1; slot <= 4; ++slot) {
    const Variant name = competition->Fields(Slot("attName", slot))->Value();
    Variant value = Variant::Null();
    if (!name.IsNull()) {
      values->FindFirst(pilot + " AND " + SqlEqualText("attName", name));
      if (!values->NoMatch()) value = values->Fields("avaValue").Value();
    }
    dobjPilot.Fields(Slot("attName", slot))->SetValue(name);
    dobjPilot.Fields(Slot("avaValue", slot))->SetValue(value);
  }
  values->Close();
  return 0;
}

}  // namespace zazorazari
