// The operations that write a whole file (create, create over a file,
// compact, rename, every export) as the crash and disk-full tests run them:
// how each lays out its folder, runs, and what the folder then shows.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "interchange/InterchangeTestSupport.h"
#include "reliability/ReliabilitySupport.h"
#include "reliability/Workload.h"
#include "support/TestSupport.h"
#include "zazorazari/database/CDatabase.h"

namespace zaztest {

inline std::string InFolder(const std::string& folder, const std::string& name) { return folder + "/" + name; }

// A database file as the tests see it: its kind and pilots once sound.
inline std::string DatabaseState(const std::string& path) {
  if (!std::filesystem::exists(path)) return "missing";
  const std::string integrity = IntegrityCheck(path);
  if (integrity != "ok") return "broken: " + integrity;
  return "type " + std::to_string(QueryNumber(path, "SELECT dbiType FROM tblDatabaseInfo")) + ", " +
         std::to_string(QueryNumber(path, "SELECT count(*) FROM tblPilot")) + " pilots";
}

inline std::string TextState(const std::string& path) {
  return std::filesystem::exists(path) ? ReadFile(path) : "missing";
}

// The files the operations start from: "source.mdb", a competition with
// pilots, a task with results and turnpoints, and "catalog.mdb".
inline void MakeSourceFiles(const std::string& folder) {
  const WorkloadFiles files = WriteWorkloadFiles(folder, 12, 1);
  zazorazari::CDatabase db;
  db.Create(InFolder(folder, "source.mdb"), TemplateDir(), zazorazari::enumFileCompetition);
  db.OpenDB();
  db.ImportDBFromXML(files.databaseXml, ProgressRecorder().object);
  db.CloseDB();
  db.Create(InFolder(folder, "catalog.mdb"), TemplateDir(), zazorazari::enumFileCatalog);
  // Free pages for the compact to drop.
  RawSqlite(InFolder(folder, "source.mdb"))
      .Exec("CREATE TABLE filler AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100)"
            " SELECT randomblob(1000) AS b FROM n; DROP TABLE filler");
}

struct FileOperation {
  const char* name;
  // Lays out the target(s) in the folder (beside the source files).
  std::function<void(const std::string& folder)> prepare;
  // The facade opens "source.mdb" before the operation when true.
  bool opensSource;
  std::function<void(zazorazari::CDatabase&, const std::string& folder)> run;
  // What the folder shows of the operation.
  std::function<std::string(const std::string& folder)> state;
};

// gtest names a parameter by this.
inline void PrintTo(const FileOperation& operation, std::ostream* out) { *out << operation.name; }

inline std::vector<FileOperation> FileOperations() {
  using namespace zazorazari;
  namespace fs = std::filesystem;
  const auto target = [](const std::string& f) { return InFolder(f, "target"); };
  const auto copy = [](const std::string& f, const char* from, const std::string& to) {
    fs::copy_file(InFolder(f, from), to, fs::copy_options::overwrite_existing);
  };
  const auto oldTarget = [=](const std::string& f) { copy(f, "source.mdb", target(f)); };
  const auto previousExport = [=](const std::string& f) { WriteFile(target(f), "the previous export\n"); };
  const auto databaseState = [=](const std::string& f) { return DatabaseState(target(f)); };
  const auto textState = [=](const std::string& f) { return TextState(target(f)); };
  return {
      {"Create", [=](const std::string& f) { fs::remove(target(f)); }, false,
       [=](CDatabase& db, const std::string& f) { db.Create(target(f), TemplateDir(), enumFileCompetition); },
       databaseState},
      {"CreateOverAFile", oldTarget, false,
       [=](CDatabase& db, const std::string& f) { db.Create(target(f), TemplateDir(), enumFileCatalog); },
       databaseState},
      {"Compact", oldTarget, false,
       [=](CDatabase& db, const std::string& f) {
         db.SetPath(target(f));
         db.Compress();
       },
       [=](const std::string& f) {
         return DatabaseState(target(f)) + ", " + std::to_string(QueryNumber(target(f), "PRAGMA freelist_count")) +
                " free pages\n" + DumpDatabase(target(f));
       }},
      {"Rename",
       [=](const std::string& f) {
         copy(f, "source.mdb", InFolder(f, "a.mdb"));
         copy(f, "catalog.mdb", target(f));
       },
       false,
       [=](CDatabase& db, const std::string& f) {
         db.SetPath(InFolder(f, "a.mdb"));
         db.Rename(target(f));
       },
       [=](const std::string& f) { return DatabaseState(InFolder(f, "a.mdb")) + " / " + DatabaseState(target(f)); }},
      {"ExportDB", previousExport, true,
       [=](CDatabase& db, const std::string& f) { db.ExportDB(target(f), enumDB6, enumExportXML, ProgressRecorder().object); },
       textState},
      {"ExportTask", previousExport, true,
       [=](CDatabase& db, const std::string& f) { db.ExportTask(target(f), 1, enumExportXML, ProgressRecorder().object); },
       textState},
      {"ExportTaskResult", previousExport, true,
       [=](CDatabase& db, const std::string& f) { db.ExportTaskResult(target(f), 1, enumExportXML, ProgressRecorder().object); },
       textState},
      {"ExportTurnpoints", previousExport, true,
       [=](CDatabase& db, const std::string& f) { db.ExportTurnpointsToFile(target(f), "cup", 0, ProgressRecorder().object); },
       textState},
      {"ExportPilots", previousExport, true,
       [=](CDatabase& db, const std::string& f) { db.ExportPilotsToCSV(target(f), ';', ProgressRecorder().object); },
       textState},
  };
}

// Runs the operation in this process.
inline void RunFileOperation(const FileOperation& operation, const std::string& folder) {
  zazorazari::CDatabase db;
  if (operation.opensSource) {
    db.SetPath(InFolder(folder, "source.mdb"));
    db.OpenDB();
  }
  operation.run(db, folder);
}

// Names in the folder that only an interrupted or failed run leaves.
inline std::string Leftovers(const std::string& folder) {
  std::string found;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.find('~') != std::string::npos || name.find("-journal") != std::string::npos ||
        name.find("_compressed") != std::string::npos) {
      found += name + " ";
    }
  }
  return found;
}

}  // namespace zaztest
