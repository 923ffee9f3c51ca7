// A competition's worth of input files and the sequence of public operations
// the crash and resource tests run over them: a database file import, new
// pilots and a new task through the rules, a task result import and a
// waypoint import.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "interchange/InterchangeTestSupport.h"
#include "rules/RuleTestHelpers.h"
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/platform/UserInterface.h"

namespace zaztest {

// Says yes to the waypoint import's overwrite question.
struct AnswerYes : zazorazari::UserInterface {
  int32_t MsgBox(const std::string&, int32_t, const std::string&) override { return zazorazari::vbYes; }
  void SetMousePointer(int32_t) override {}
};

struct WorkloadFiles {
  std::string databaseXml;  // pilots, tasks with formula rows, results, turnpoints
  std::string resultXml;    // results of task 1
  std::string waypoints;    // WGS 84 waypoints, a few named as turnpoints of the XML
};

// `pilots` pilots with a result for each of `tasks` tasks.
inline WorkloadFiles WriteWorkloadFiles(const std::string& folder, int pilots, int tasks) {
  WorkloadFiles files{folder + "/db.xml", folder + "/result.xml", folder + "/points.wpt"};
  std::string xml = "<ZOLT><tblAttribute attPk=\"1\" attName=\"Club\"/>"
                    "<tblAttributeValue avaPk=\"1\" attPk=\"1\" avaValue=\"Aigles\"/>"
                    "<tblManufacturer manPk=\"1\" manName=\"Ozone\"/>"
                    "<tblGlider gliPk=\"1\" gliName=\"Enzo\" gliFAIClass=\"2\" manPk=\"1\"/>";
  for (int i = 1; i <= 40; ++i) {
    xml += "<tblTurnpoint trnPk=\"" + std::to_string(i) + "\" trnName=\"TP" + std::to_string(i) + "\" trnID=\"T" +
           std::to_string(i) + "\" trnPositionType=\"GEO\" trnPositionLatitudeDecimal=\"46." + std::to_string(i) +
           "\" geoPk=\"243\" oriPk=\"1\"/>";
  }
  for (int p = 1; p <= pilots; ++p) {
    const std::string k = std::to_string(p);
    xml += "<tblPilot pilPk=\"" + k + "\" pilFirstName=\"First" + k + "\" pilLastName=\"Last" + k +
           "\" pilNumber=\"" + k + "\" gliPk=\"1\" oriPk=\"1\" avaPk1=\"1\"/>";
    xml += "<tblPilotAttribute patPk=\"" + k + "\" pilPk=\"" + k + "\" avaPk=\"1\"/>";
  }
  for (int t = 1; t <= tasks; ++t) {
    const std::string k = std::to_string(t);
    xml += "<tblTask tasPk=\"" + k + "\" tasName=\"Task " + k + "\" tasDate=\"2003-12-2" + k +
           "\" tasTaskType=\"Race\" tasDistance=\"8" + k + ".5\"/>";
    xml += "<tblFormulaTask fotPk=\"" + k + "\" fotFormulaID=\"0\" tasPk=\"" + k + "\" fotParameter=\"p=" + k + "\"/>";
  }
  int resPk = 0;
  for (int t = 1; t <= tasks; ++t) {
    for (int p = 1; p <= pilots; ++p) {
      xml += "<tblResult resPk=\"" + std::to_string(++resPk) + "\" pilPk=\"" + std::to_string(p) + "\" tasPk=\"" +
             std::to_string(t) + "\" resPositionLatitudeDecimal=\"0\"/>";
    }
  }
  WriteFile(files.databaseXml, xml + "</ZOLT>");

  std::string result = "<ZOLTTaskResult><Task ID=\"1\"><Pilots>";
  for (int p = 1; p <= pilots; p += 2) {
    result += "<Pilot ID=\"" + std::to_string(p) + "\" Status=\"ES\" Distance=\"" + std::to_string(p) + ".25\"/>";
  }
  WriteFile(files.resultXml, result + "</Pilots></Task></ZOLTTaskResult>");

  std::string wpt = "OziExplorer Waypoint File Version 1.1\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n";
  for (int w = 1; w <= 150; ++w) {
    // TP1 to TP20 exist already: overwritten after the one question.
    const std::string name = w <= 20 ? "TP" + std::to_string(w) : "WP" + std::to_string(w);
    wpt += std::to_string(w) + "," + name + ",46." + std::to_string(1000 + w) + ",8." + std::to_string(2000 + w) +
           ",45852.0,0,1,3,0,65535,,0,0,0,1000,6,0,17\r\n";
  }
  WriteFile(files.waypoints, wpt);
  return files;
}

// The operations in order on an open facade; `after` runs after each one.
inline void RunWorkload(zazorazari::CDatabase& db, const WorkloadFiles& files, const std::function<void()>& after) {
  ProgressRecorder recorder;
  const zazorazari::DispatchPtr progress = recorder.object;
  db.SetUserInterface(std::make_shared<AnswerYes>());
  db.ImportDBFromXML(files.databaseXml, progress);
  after();
  AddPilot(db, "Late", "Lena", 9001);
  after();
  AddPilot(db, "Later", "Luca", 9002);
  after();
  AddTask(db, "Added task");
  after();
  db.ImportTaskResultFromXML(files.resultXml, progress);
  after();
  db.ImportTurnpointsFromWPT(files.waypoints, progress);
  after();
}

}  // namespace zaztest
