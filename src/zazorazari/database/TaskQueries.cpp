// Questions about a task and bulk changes to its results, answered straight
// from the tables without records. No error trap: failures leave as the
// engine or the runtime raised them.
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/rules/CRuleObjects.h"

namespace zazorazari {

namespace {

engine::Database& OpenDatabase(const CDatabase& db) {
  auto engineDb = db.DatabaseObject();
  if (!engineDb) throw RuntimeError(errObjectNotSet);
  return *engineDb;
}

std::string ByTask(const std::string& source, int32_t pkTask) {
  return "SELECT * FROM " + source + " WHERE tasPk=" + std::to_string(pkTask);
}

}  // namespace

std::string CDatabase::TaskResultsType(int32_t pkTask) {
  return InTransaction(*this, false, [&] {
    auto rs = OpenDatabase(*this).OpenRecordset(ByTask("tblTask", pkTask), engine::dbOpenSnapshot);
    std::string type = CStr(rs->Fields("tasResultsType").Value());
    rs->Close();
    return type;
  });
}

bool CDatabase::TaskHasResults(int32_t pkTask) {
  return InTransaction(*this, false, [&] {
    auto rs = OpenDatabase(*this).OpenRecordset(ByTask("tblResult", pkTask) + " AND resStatus<>\"NYP\"",
                                                engine::dbOpenSnapshot);
    const bool any = !rs->IsEOF();
    rs->Close();
    return any;
  });
}

int32_t CDatabase::TaskTurnpointCount(int32_t pkTask) {
  return InTransaction(*this, false, [&] {
    auto rs = OpenDatabase(*this).OpenRecordset(ByTask("tblTaskTurnpoint", pkTask), engine::dbOpenSnapshot);
    if (!rs->IsEOF()) rs->MoveLast();
    const int32_t count = rs->RecordCount();
    rs->Close();
    return count;
  });
}

void CDatabase::ResetTaskResults(int32_t pkTask) {
  InTransaction(*this, true, [&] {
    OpenDatabase(*this);
    CTask& task = m_objRules->Task();
    task.DeleteResultsForTask(pkTask);
    task.AddResultsForTask(pkTask);
  });
}

bool CDatabase::FlightTimeNeeded(int32_t pkTask, int32_t lTPReached) {
  return InTransaction(*this, false, [&] {
    auto rs = OpenDatabase(*this).OpenRecordset(ByTask("lvwTaskTurnpoint", pkTask), engine::dbOpenSnapshot);
    bool needed = false;
    for (; !rs->IsEOF(); rs->MoveNext()) {
      const Variant gate = rs->Fields("ttpTimeGateType").Value();
      if (gate.VarType() == vtString && gate.Text() == "ES") {
        needed = lTPReached >= CLng(rs->Fields("ttpNr").Value());
        break;
      }
    }
    rs->Close();
    return needed;
  });
}

void CDatabase::AssignStartTimeToPilots(int32_t pkTask, double timStart) {
  InTransaction(*this, true, [&] {
    auto rs = OpenDatabase(*this).OpenRecordset(ByTask("tblResult", pkTask), engine::dbOpenDynaset);
    for (; !rs->IsEOF(); rs->MoveNext()) {
      rs->Edit();
      rs->Fields("resSSTime").SetValue(Variant::Date(timStart));
      rs->Update();
    }
    rs->Close();
  });
}

void CDatabase::SetTaskRecomputingFlag(int32_t pkTask) {
  InTransaction(*this, true, [&] {
    const std::string sql = pkTask != 0 ? ByTask("tblTask", pkTask) : std::string("SELECT * FROM tblTask");
    auto rs = OpenDatabase(*this).OpenRecordset(sql, engine::dbOpenDynaset);
    for (; !rs->IsEOF(); rs->MoveNext()) {
      rs->Edit();
      rs->Fields("tasNeedsComputing").SetValue(true);
      rs->Update();
    }
    rs->Close();
  });
}

}  // namespace zazorazari
