// Interchange commands: XML export and import, waypoint import, and copies
// from another database file.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ChoiceOption.h"
#include "CommandSet.h"
#include "OpenDatabase.h"
#include "OverwriteQuestion.h"
#include "ReplaceGuard.h"
#include "TerminalProgress.h"

namespace zazorazari::cli {

namespace {

struct InterchangeArgs {
  std::string file;
  std::string other;
  std::string type;
  int32_t task = 0;
  std::vector<int32_t> keys;
  bool pilots = false;
  bool turnpoints = false;
  bool yes = false;
  bool no = false;
  bool force = false;
  OverwritePolicy overwrite = OverwritePolicy::Ask;
};

int Export(const InterchangeArgs& a, const GlobalOptions& options) {
  RefuseToReplace(a.other, a.force);
  auto db = OpenDatabase(a.file);
  TerminalProgress progress("Exporting", options);
  db->ExportDB(a.other, enumDB6, enumExportXML, progress.Object());
  db->CloseDB();
  return 0;
}

int ExportTask(const InterchangeArgs& a, bool results, const GlobalOptions& options) {
  RefuseToReplace(a.other, a.force);
  auto db = OpenDatabase(a.file);
  TerminalProgress progress(results ? "Exporting results" : "Exporting task", options);
  if (results) {
    db->ExportTaskResult(a.other, a.task, enumExportXML, progress.Object());
  } else {
    db->ExportTask(a.other, a.task, enumExportXML, progress.Object());
  }
  db->CloseDB();
  return 0;
}

int Import(const InterchangeArgs& a, const GlobalOptions& options) {
  auto db = OpenDatabase(a.file);
  TerminalProgress progress("Importing", options);
  if (a.pilots) {
    db->ImportPilotsFromXML(a.other, progress.Object());
  } else if (a.turnpoints) {
    db->ImportTurnpointsFromXML(a.other, progress.Object());
  } else {
    db->ImportDBFromXML(a.other, progress.Object());
  }
  db->CloseDB();
  return 0;
}

int ImportResults(const InterchangeArgs& a, const GlobalOptions& options) {
  auto db = OpenDatabase(a.file);
  TerminalProgress progress("Importing results", options);
  db->ImportTaskResultFromXML(a.other, progress.Object());
  db->CloseDB();
  return 0;
}

int ImportWaypoints(const InterchangeArgs& a, const GlobalOptions& options) {
  auto db = OpenDatabase(a.file, a.yes ? PresetAnswer::Yes : a.no ? PresetAnswer::No : PresetAnswer::None);
  TerminalProgress progress("Importing waypoints", options);
  db->ImportTurnpointsFromWPT(a.other, progress.Object());
  db->CloseDB();
  return 0;
}

// `file` is the source, `other` the target that is opened and written.
int Copy(const InterchangeArgs& a, const GlobalOptions& options) {
  auto db = OpenDatabase(a.other);
  TerminalProgress progress("Copying", options);
  db->InsertDataObjectsFrom(a.type, a.file, a.keys, progress.Object(), MakeOverwriteQuestion(a.overwrite),
                            CopyConflictMessages());
  db->CloseDB();
  return 0;
}

int CopyCatalog(const InterchangeArgs& a) {
  auto db = OpenDatabase(a.other);
  db->InsertCatalogFrom(a.file);
  db->CloseDB();
  return 0;
}

}  // namespace

void AddInterchangeCommands(CommandSet& commands) {
  auto a = std::make_shared<InterchangeArgs>();
  const GlobalOptions& options = commands.Options();

  CLI::App* exportDb = commands.Add("export", "Export the whole database as XML (root ZOLT)",
                                    "zazorazari export cup.mdb cup.xml",
                                    [a, &options] { return Export(*a, options); });
  exportDb->add_option("FILE", a->file, "Database file")->required();
  exportDb->add_option("OUT", a->other, "The XML file to write")->required();
  AddForceFlag(exportDb, a->force, "OUT");

  CLI::App* exportTask = commands.Add("export-task", "Export a task with its turnpoints and pilots as XML (root ZOLTTask)",
                                      "zazorazari export-task cup.mdb 1 task1.xml",
                                      [a, &options] { return ExportTask(*a, false, options); });
  CLI::App* exportResults = commands.Add("export-results", "Export a task's results as XML (root ZOLTTaskResult)",
                                         "zazorazari export-results cup.mdb 1 task1-results.xml",
                                         [a, &options] { return ExportTask(*a, true, options); });
  for (CLI::App* sub : {exportTask, exportResults}) {
    sub->add_option("FILE", a->file, "Database file")->required();
    sub->add_option("TASK", a->task, "The task's key")->required();
    sub->add_option("OUT", a->other, "The XML file to write")->required();
    AddForceFlag(sub, a->force, "OUT");
  }

  CLI::App* import = commands.Add("import", "Import a database XML file, or only its pilots or turnpoints",
                                  "zazorazari import cup.mdb other.xml --pilots",
                                  [a, &options] { return Import(*a, options); });
  import->add_option("FILE", a->file, "Database file")->required();
  import->add_option("IN", a->other, "The XML file (root ZOLT)")->required();
  CLI::Option* pilots = import->add_flag("--pilots", a->pilots, "Import only the pilots");
  import->add_flag("--turnpoints", a->turnpoints, "Import only the turnpoints")->excludes(pilots);

  CLI::App* importResults = commands.Add("import-results", "Import a task result XML file (root ZOLTTaskResult)",
                                         "zazorazari import-results cup.mdb task1-results.xml",
                                         [a, &options] { return ImportResults(*a, options); });
  importResults->add_option("FILE", a->file, "Database file")->required();
  importResults->add_option("IN", a->other, "The XML file")->required();

  CLI::App* wpt = commands.Add("import-wpt", "Import turnpoints from an OziExplorer waypoint file",
                               "zazorazari import-wpt cup.mdb alps.wpt --yes",
                               [a, &options] { return ImportWaypoints(*a, options); });
  wpt->add_option("FILE", a->file, "Database file")->required();
  wpt->add_option("IN", a->other, "The waypoint file")->required();
  CLI::Option* yes = wpt->add_flag("--yes", a->yes, "Overwrite turnpoints of the same name without asking");
  wpt->add_flag("--no", a->no, "Stop at the first turnpoint of an existing name (the default without a terminal)")
      ->excludes(yes);

  CLI::App* copy = commands.Add("copy", "Copy records of one type from another file into TO",
                                "zazorazari copy cup.mdb catalog.mdb doPilot 1 2 3 --overwrite skip",
                                [a, &options] { return Copy(*a, options); });
  copy->add_option("FROM", a->file, "The file to copy from")->required();
  copy->add_option("TO", a->other, "The file to copy into")->required();
  copy->add_option("TYPE", a->type, "Data object type, e.g. doPilot or doTurnpoint")->required();
  copy->add_option("KEY", a->keys, "Keys of the records in FROM")->required();
  const std::map<std::string, OverwritePolicy> policies{
      {"ask", OverwritePolicy::Ask}, {"skip", OverwritePolicy::Skip}, {"force", OverwritePolicy::Force}};
  AddChoiceOption(copy, "--overwrite", a->overwrite, policies,
                  "A record that is already in TO: ask (the default: at a terminal; skip without one), "
                  "skip or force");

  CLI::App* copyCatalog = commands.Add("copy-catalog", "Copy gliders, attribute values, origins and report strings",
                                       "zazorazari copy-catalog catalog.mdb cup.mdb", [a] { return CopyCatalog(*a); });
  copyCatalog->add_option("FROM", a->file, "The file to copy from")->required();
  copyCatalog->add_option("TO", a->other, "The file to copy into")->required();
}

}  // namespace zazorazari::cli
