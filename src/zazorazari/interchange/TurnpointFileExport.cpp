// Export of all turnpoints, or of one task's turnpoints in task order, as a
// turnpoint file. The file is written beside the target under a temporary
// name and renamed over it when complete, so a failure leaves no partly
// written file behind.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/FileReplacement.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/interchange/TurnpointFile.h"
#include "zazorazari/platform/Conversions.h"

namespace zazorazari {

using namespace interchange;

namespace {

// Reads turnpoint rows of the doTurnpoint view into file entries.
class TurnpointRows {
 public:
  explicit TurnpointRows(engine::Database& db) : m_db(db) {}

  // False for a turnpoint without latitude and longitude (one kept only as
  // a UTM grid position): the file formats cannot carry it.
  bool Read(engine::Recordset& rs, TurnpointEntry& entry) {
    const Variant latitude = rs.Fields("trnPositionLatitudeDecimal").Value();
    const Variant longitude = rs.Fields("trnPositionLongitudeDecimal").Value();
    if (latitude.IsNull() || longitude.IsNull()) return false;
    entry.name = Text(rs.Fields("trnName").Value());
    entry.code = Text(rs.Fields("trnID").Value());
    entry.country = NationCode2(rs.Fields("natCode3").Value());
    entry.latitude = CDbl(latitude);
    entry.longitude = CDbl(longitude);
    const Variant altitude = rs.Fields("trnPositionAltitude").Value();
    entry.altitude = altitude.IsNull() ? std::nullopt : std::optional<double>(CDbl(altitude));
    return true;
  }

 private:
  static std::string Text(const Variant& value) { return value.IsNull() ? std::string() : CStr(value); }

  std::string NationCode2(const Variant& code3) {
    if (code3.IsNull()) return {};
    const std::string key = CStr(code3);
    auto found = m_nations.find(key);
    if (found == m_nations.end()) {
      auto rs = m_db.OpenRecordset("SELECT * FROM tblNation WHERE " + SqlEqualText("natCode3", key),
                                   engine::dbOpenSnapshot);
      found = m_nations.emplace(key, rs->IsEOF() ? std::string() : Text(rs->Fields("natCode2").Value())).first;
      rs->Close();
    }
    return found->second;
  }

  engine::Database& m_db;
  std::map<std::string, std::string> m_nations;
};

TurnpointFileContent AllTurnpoints(engine::Database& db) {
  TurnpointFileContent content;
  TurnpointRows rows(db);
  auto rs = db.OpenRecordset("SELECT * FROM doTurnpoint ORDER BY trnPk", engine::dbOpenSnapshot);
  for (; !rs->IsEOF(); rs->MoveNext()) {
    TurnpointEntry entry;
    if (rows.Read(*rs, entry)) content.turnpoints.push_back(std::move(entry));
  }
  rs->Close();
  return content;
}

Error TaskError(int32_t lPkTask, const std::string& detail) {
  return PlacedError(errInvalidProcedureCall, "task " + std::to_string(lPkTask), detail);
}

// The task's turnpoints, each once, in the order the task first reaches
// them; the task line lists every visit.
TurnpointFileContent TaskTurnpoints(engine::Database& db, int32_t lPkTask) {
  const std::string taskCriteria = SqlEqualNumber("tasPk", lPkTask);
  auto task = db.OpenRecordset("SELECT * FROM tblTask WHERE " + taskCriteria, engine::dbOpenSnapshot);
  if (task->IsEOF()) throw TaskError(lPkTask, "no such task");
  const Variant taskName = task->Fields("tasName").Value();
  task->Close();

  TurnpointFileContent content;
  content.task = TurnpointTask{taskName.IsNull() ? "Task " + std::to_string(lPkTask) : CStr(taskName), {}};
  TurnpointRows rows(db);
  std::set<int32_t> written;
  auto visits = db.OpenRecordset("SELECT * FROM tblTaskTurnpoint WHERE " + taskCriteria + " ORDER BY ttpNr",
                                 engine::dbOpenSnapshot);
  for (; !visits->IsEOF(); visits->MoveNext()) {
    const int32_t trnPk = CLng(visits->Fields("trnPk").Value());
    auto rs = db.OpenRecordset("SELECT * FROM doTurnpoint WHERE " + SqlEqualNumber("trnPk", trnPk),
                               engine::dbOpenSnapshot);
    TurnpointEntry entry;
    if (rs->IsEOF() || !rows.Read(*rs, entry)) {
      throw TaskError(lPkTask, "turnpoint " + std::to_string(trnPk) + " has no latitude and longitude");
    }
    rs->Close();
    content.task->turnpoints.push_back(entry.name);
    if (written.insert(trnPk).second) content.turnpoints.push_back(std::move(entry));
  }
  visits->Close();
  return content;
}

}  // namespace

void CDatabase::ExportTurnpointsToFile(const std::string& strPath, const std::string& strFormat, int32_t lPkTask,
                                       DispatchPtr frmProgress) {
  const TurnpointFileFormat& format = TurnpointFormatForWriting(strFormat, strPath);
  InTransaction(*this, false, [&] {
    const auto engineDb = DatabaseObject();
    if (!engineDb) throw RuntimeError(errObjectNotSet);
    ReportProgress(frmProgress, int16_t{1});
    const TurnpointFileContent content = lPkTask == 0 ? AllTurnpoints(*engineDb) : TaskTurnpoints(*engineDb, lPkTask);
    ReportProgress(frmProgress, int16_t{50});
    std::ostringstream out;
    format.Write(out, content);
    const std::string bytes = out.str();
    files::ReplaceFileWith(strPath, files::kExportedFile, [&](FILE* file) {
      return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    });
    ReportProgress(frmProgress, int16_t{100});
  });
}

}  // namespace zazorazari
