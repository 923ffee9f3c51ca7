// The demo command: builds a competition file and a catalogue from the
// template, fills them as a scoring host would, exports XML and the first
// task's turnpoints (.cup, .gpx) and prints what it did.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "CommandSet.h"
#include "DataFiles.h"
#include "DemoCompetition.h"
#include "DemoData.h"
#include "OpenDatabase.h"
#include "OverwriteQuestion.h"
#include "TaskFileCommands.h"
#include "TerminalProgress.h"
#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli {

namespace {

namespace fs = std::filesystem;

struct DemoArgs {
  std::string dir = "demo-out";
  std::string templateDir;
  std::string waypoints;
};

struct DemoFiles {
  std::string competition, catalog, databaseXml, taskXml, resultsXml, taskCup, taskGpx;

  explicit DemoFiles(const fs::path& dir)
      : competition((dir / "competition.mdb").string()),
        catalog((dir / "catalog.mdb").string()),
        databaseXml((dir / "competition.xml").string()),
        taskXml((dir / "task1.xml").string()),
        resultsXml((dir / "task1-results.xml").string()),
        taskCup((dir / "task1.cup").string()),
        taskGpx((dir / "task1.gpx").string()) {}
};

std::map<std::string, int32_t> Counts(CDatabase& db) {
  std::map<std::string, int32_t> counts;
  for (const auto& [table, count] : db.TableRowCounts()) counts[table] = count;
  return counts;
}

void Row(const char* label, const std::string& text) { std::printf("  %-12s %s\n", label, text.c_str()); }

int RunDemo(const DemoArgs& a, const GlobalOptions& options) {
  const auto started = std::chrono::steady_clock::now();
  fs::create_directories(a.dir);
  const DemoFiles files{fs::path(a.dir)};
  const std::string templateDir = a.templateDir.empty() ? DefaultTemplateDir() : a.templateDir;
  const std::string waypoints = a.waypoints.empty() ? ExampleFile("alps.wpt") : a.waypoints;

  CDatabase creator;
  creator.Create(files.competition, templateDir, enumFileCompetition);
  creator.Create(files.catalog, templateDir, enumFileCatalog);

  auto competition = OpenDatabase(files.competition, PresetAnswer::No);
  // The competition is built in one transaction, the task turnpoint lists
  // written back included: it stands whole or not at all.
  auto transaction = std::make_unique<CDatabase::Transaction>(*competition);
  {
    TerminalProgress progress("Importing waypoints", options);
    competition->ImportTurnpointsFromWPT(waypoints, progress.Object(), enumImportAllOrNothing);
  }
  demo::SetUpCompetition(*competition);
  const std::vector<int32_t> pilots = demo::AddPilots(*competition);
  const std::vector<int32_t> tasks = demo::AddTasks(*competition);
  const int32_t results = demo::FillResults(*competition, tasks.front());
  transaction->Commit();
  transaction.reset();
  {
    TerminalProgress progress("Exporting database", options);
    competition->ExportDB(files.databaseXml, enumDB6, enumExportXML, progress.Object());
  }
  {
    TerminalProgress progress("Exporting task", options);
    competition->ExportTask(files.taskXml, tasks.front(), enumExportXML, progress.Object());
  }
  {
    TerminalProgress progress("Exporting results", options);
    competition->ExportTaskResult(files.resultsXml, tasks.front(), enumExportXML, progress.Object());
  }
  for (const std::string* path : {&files.taskCup, &files.taskGpx}) {
    TerminalProgress progress("Exporting task turnpoints", options);
    competition->ExportTurnpointsToFile(*path, "", tasks.front(), progress.Object());
  }
  const std::vector<std::string> taskFiles = WriteDemoTaskFiles(*competition, tasks, a.dir, options);
  CDataObjectPtr firstTask = competition->GetDataObject("doTask", tasks.front());
  auto counts = Counts(*competition);
  const std::string name = competition->CompetitionName();
  const bool secondHasResults = competition->TaskHasResults(tasks.back());
  competition->CloseDB();

  auto catalog = OpenDatabase(files.catalog, PresetAnswer::No);
  {
    TerminalProgress progress("Copying pilots", options);
    OverwriteTally tally;
    catalog->InsertDataObjectsFrom("doPilot", files.competition, pilots, progress.Object(),
                                   MakeOverwriteQuestion(OverwritePolicy::Skip, tally), CopyConflictMessages());
  }
  auto catalogCounts = Counts(*catalog);
  catalog->CloseDB();

  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("ZAZorazari demo: \"%s\"\n", name.c_str());
  Row("turnpoints", std::to_string(counts["tblTurnpoint"]) + " imported from " + waypoints);
  Row("pilots", std::to_string(counts["tblPilot"]) + " with " + std::to_string(counts["tblGlider"]) +
                    // Each nation became one origin; the template seeds one more.
                    " gliders, " + std::to_string(counts["tblOrigin"] - 1) + " nations, " +
                    std::to_string(counts["tblAttributeValue"]) + " values of " +
                    std::to_string(counts["tblAttribute"]) + " attributes");
  Row("tasks", std::to_string(counts["tblTask"]) + " with " + std::to_string(counts["tblTaskTurnpoint"]) +
                   " task turnpoints");
  Row("results", std::to_string(results) + " filled for task 1 of " + std::to_string(counts["tblResult"]) +
                     " rows; task 2 has results: " + (secondHasResults ? "yes" : "no"));
  char distance[96];
  std::snprintf(distance, sizeof distance, "task 1 optimised %.3f km, speed section %.3f km",
                CDbl(firstTask->Fields("tasDistance")->Value()), CDbl(firstTask->Fields("tasSSDistance")->Value()));
  Row("distance", distance);
  Row("catalogue", std::to_string(catalogCounts["tblPilot"]) + " pilots copied, " +
                       std::to_string(catalogCounts["tblPilotAttribute"]) + " attribute values");
  Row("files", files.competition);
  for (const std::string* path :
       {&files.catalog, &files.databaseXml, &files.taskXml, &files.resultsXml, &files.taskCup, &files.taskGpx}) {
    Row("", *path);
  }
  for (const std::string& path : taskFiles) Row("", path);
  std::printf("  done in %.1f s\n", seconds);
  return 0;
}

}  // namespace

void AddDemoCommand(CommandSet& commands) {
  auto a = std::make_shared<DemoArgs>();
  const GlobalOptions& options = commands.Options();
  CLI::App* demo = commands.Add("demo",
                                "Build a demo competition and catalogue, export them as XML and print a summary",
                                "zazorazari demo ./demo-out", [a, &options] { return RunDemo(*a, options); });
  demo->add_option("DIR", a->dir, "Folder for the files (replaced if they exist)")->default_str("demo-out");
  demo->add_option("--template-dir", a->templateDir, "Folder holding template.mdb")->check(CLI::ExistingDirectory);
  demo->add_option("--waypoints", a->waypoints, "Waypoint file to import instead of examples/alps.wpt");
}

}  // namespace zazorazari::cli
