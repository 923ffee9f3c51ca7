// A full disk, simulated with a file size limit in a child process: an
// export keeps the previous file, an import leaves a sound database in its
// state before the import, and both report the failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "reliability/ReliabilitySupport.h"
#include "reliability/Workload.h"

using namespace zazorazari;
using namespace zaztest;
namespace fs = std::filesystem;

TEST(DiskFull, ExportKeepsThePreviousFileAndReportsTheError) {
  TestDatabase t;
  const WorkloadFiles files = WriteWorkloadFiles(t.Dir().Path().string(), 60, 2);
  t.Db().ImportDBFromXML(files.databaseXml, ProgressRecorder().object);
  const std::string xml = t.Dir().File("export.xml");
  t.Db().ExportDB(xml, enumDB6, enumExportXML, ProgressRecorder().object);
  const std::string previous = ReadFile(xml);
  ASSERT_GT(previous.size(), 20000u);
  AddPilot(t.Db(), "Changed", "Since");
  t.Db().CloseDB();

  ChildProcess child([&](int report) {
    LimitFileSize(8192);
    CDatabase db;
    db.SetPath(t.FilePath());
    db.OpenDB();
    try {
      db.ExportDB(xml, enumDB6, enumExportXML, ProgressRecorder().object);
    } catch (const Error& e) {
      ChildProcess::Write(report, std::to_string(e.Number()) + " " + e.Description());
      return 0;
    }
    return 1;
  });
  const std::string reported = child.Report();
  ASSERT_EQ(child.ExitCode(), 0) << "the export did not fail: " << reported;
  EXPECT_EQ(reported.rfind("75 ", 0), 0u) << reported;
  EXPECT_NE(reported.find("cannot write '" + xml + "': File too large"), std::string::npos) << reported;
  EXPECT_EQ(ReadFile(xml), previous);
  // No half-written temporary file is left beside it.
  for (const auto& entry : fs::directory_iterator(t.Dir().Path())) {
    EXPECT_EQ(entry.path().filename().string().find(".export.xml"), std::string::npos) << entry.path();
  }
}

TEST(DiskFull, ImportLeavesTheDatabaseAsItWas) {
  TestDatabase t;
  const WorkloadFiles files = WriteWorkloadFiles(t.Dir().Path().string(), 200, 3);
  AddPilot(t.Db(), "Before", "Bob");
  t.Db().CloseDB();
  const std::string before = DumpDatabase(t.FilePath());
  const auto size = fs::file_size(t.FilePath());

  ChildProcess child([&](int report) {
    // Room for a few more pages in the file and its journal, not for the
    // whole import.
    LimitFileSize(size + 16384);
    CDatabase db;
    db.SetPath(t.FilePath());
    db.OpenDB();
    try {
      db.ImportDBFromXML(files.databaseXml, ProgressRecorder().object);
    } catch (const Error& e) {
      // The engine's error itself when the COMMIT fails, or inside the
      // import's own error when a write before it does.
      ChildProcess::Write(report, std::to_string(e.Number()) + " " + e.Description());
      return CarriesEngineError(e, 3035) ? 0 : 2;
    }
    return 1;
  });
  const std::string reported = child.Report();
  ASSERT_EQ(child.ExitCode(), 0) << "the import did not fail with 3035: " << reported;

  EXPECT_EQ(IntegrityCheck(t.FilePath()), "ok");
  EXPECT_EQ(DumpDatabase(t.FilePath()), before);
  // With room again the same import succeeds.
  t.Db().OpenDB();
  t.Db().ImportDBFromXML(files.databaseXml, ProgressRecorder().object);
  EXPECT_EQ(t.Count("tblPilot"), 200);  // the file's pilot 1 replaces "Before"
  EXPECT_EQ(IntegrityCheck(t.FilePath()), "ok");
}
