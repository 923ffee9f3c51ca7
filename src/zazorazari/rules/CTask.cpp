// Task writes keep the formula parameter row and the one-result-per-pilot
// rows in step with the task row.
#include "zazorazari/rules/CTask.h"

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/rules/RuleCriteria.h"

namespace zazorazari {

Variant CTask::Update(EnumUpdate mode, CDataObject& dobj, EnumOverwriteMode) {
  auto rs = Engine().OpenRecordset("tblTask", engine::dbOpenDynaset);
  if (mode == enumUpdateModify) {
    rs->FindFirst(engine::Criteria{{"tasPk", NumberCriterion(dobj.Fields("tasPk")->Value())}});
    rs->Edit();
  } else {
    rs->AddNew();
  }
  dobj.SaveToDAORecordset(*rs);
  rs->Update();
  const Variant key = LastModifiedKey(*rs);

  SaveFormulaParameter(key, dobj);
  if (mode != enumUpdateModify) AddResultsForTask(CLng(key));
  rs->Close();
  return key;
}

void CTask::SaveFormulaParameter(const Variant& taskKey, const CDataObject& dobj) {
  CDataObjectPtr competition = Facade().CompetitionObject();
  if (!competition) throw RuntimeError(errObjectNotSet);
  const Variant formulaID = competition->Fields("comFormulaID")->Value();

  auto rs = Engine().OpenRecordset("tblFormulaTask", engine::dbOpenDynaset);
  rs->FindFirst(engine::Criteria{{"tasPk", NumberCriterion(taskKey)}, {"fotFormulaID", NumberCriterion(formulaID)}});
  if (rs->NoMatch()) {
    rs->AddNew();
  } else {
    rs->Edit();
  }
  rs->Fields("tasPk").SetValue(taskKey);
  rs->Fields("fotParameter").SetValue(dobj.Fields("fotParameter")->Value());
  rs->Fields("fotFormulaID").SetValue(formulaID);
  rs->Update();
  rs->Close();
}

void CTask::AddResultsForTask(int32_t pkTask) {
  auto pilots = Engine().OpenRecordset("tblPilot", engine::dbOpenSnapshot);
  auto results = Engine().OpenRecordset("tblResult", engine::dbOpenDynaset);
  for (; !pilots->IsEOF(); pilots->MoveNext()) {
    results->AddNew();
    results->Fields("pilPk").SetValue(pilots->Fields(0).Value());
    results->Fields("tasPk").SetValue(pkTask);
    results->Update();
  }
  results->Close();
  pilots->Close();
}

void CTask::DeleteResultsForTask(int32_t pkTask) {
  Engine().Execute("DELETE * FROM tblResult WHERE tasPk=" + std::to_string(pkTask));
}

Variant CTask::Delete(int32_t lPk, bool) {
  DeleteResultsForTask(lPk);
  auto rs = Engine().OpenRecordset("SELECT * from tblTask WHERE tasPk = " + std::to_string(lPk),
                                   engine::dbOpenDynaset);
  rs->Delete();
  rs->Close();
  return Variant(int32_t{0});
}

}  // namespace zazorazari
