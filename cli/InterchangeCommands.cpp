// Interchange commands: XML export and import, waypoint import, and copies
// from another database file.
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <iostream>

#include "ChoiceOption.h"
#include "CommandSet.h"
#include "NameLookup.h"
#include "OpenDatabase.h"
#include "OverwriteQuestion.h"
#include "ReferenceOutput.h"
#include "Refusal.h"
#include "ReplaceGuard.h"
#include "RowCounts.h"
#include "Terminal.h"
#include "TerminalProgress.h"
#include <zazorazari/database/HostChecks.h>
#include <zazorazari/engine/Database.h>
#include <zazorazari/engine/Recordset.h>
#include <zazorazari/platform/Conversions.h>

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
  bool strict = false;
  bool force = false;
  OverwritePolicy overwrite = OverwritePolicy::Ask;
  OverwritePolicy existing = OverwritePolicy::Skip;
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
  RequireTask(*db, a.task, a.file);
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
  RequireInputFile(a.other, "The XML file");
  auto db = OpenDatabase(a.file);
  const RowCounts counts(*db);
  TerminalProgress progress("Importing", options);
  if (a.pilots) {
    db->ImportPilotsFromXML(a.other, progress.Object(), enumImportAllOrNothing);
  } else if (a.turnpoints) {
    db->ImportTurnpointsFromXML(a.other, progress.Object(), enumImportAllOrNothing);
  } else {
    db->ImportDBFromXML(a.other, progress.Object(), enumImportAllOrNothing);
  }
  EndProgressLine();
  std::cout << a.other << ": " << counts.Added(*db) << "; rows of the same key were updated\n";
  db->CloseDB();
  return 0;
}

// Every result row of a task as one line of text, to count what changed.
std::vector<std::string> TaskResultRows(CDatabase& db, int32_t task) {
  auto rs = db.DatabaseObject()->OpenRecordset("SELECT * FROM tblResult WHERE tasPk=" + std::to_string(task) +
                                              " ORDER BY resPk",
                                              engine::dbOpenSnapshot);
  std::vector<std::string> rows;
  for (; !rs->IsEOF(); rs->MoveNext()) {
    std::string row;
    for (int32_t i = 0; i < rs->FieldCount(); ++i) {
      const Variant& value = rs->Fields(i).Value();
      row += (value.IsNull() ? std::string("\x01") : CStr(value)) + '\x1f';
    }
    rows.push_back(row);
  }
  rs->Close();
  return rows;
}

int ImportResults(const InterchangeArgs& a, const GlobalOptions& options) {
  RequireInputFile(a.other, "The task result file");
  auto db = OpenDatabase(a.file);
  const int32_t task = TaskOfResultFile(a.other);
  RequireTask(*db, task, a.file);
  const std::vector<std::string> before = TaskResultRows(*db, task);
  TerminalProgress progress("Importing results", options);
  db->ImportTaskResultFromXML(a.other, progress.Object(), enumImportAllOrNothing);
  EndProgressLine();
  const std::vector<std::string> after = TaskResultRows(*db, task);
  size_t changed = 0;
  for (size_t i = 0; i < after.size(); ++i) changed += i >= before.size() || before[i] != after[i];
  std::cout << "task " << task << ": " << changed << " of " << after.size() << " results changed\n";
  db->CloseDB();
  return 0;
}

int ImportWaypoints(const InterchangeArgs& a, const GlobalOptions& options) {
  RequireInputFile(a.other, "The waypoint file");
  auto db = OpenDatabase(a.file, a.yes ? PresetAnswer::Yes : a.no ? PresetAnswer::No : PresetAnswer::None);
  const RowCounts counts(*db);
  TerminalProgress progress("Importing waypoints", options);
  db->ImportTurnpointsFromWPT(a.other, progress.Object(), enumImportAllOrNothing);
  EndProgressLine();
  const int32_t added = counts.AddedTo(*db, "tblTurnpoint");
  db->CloseDB();
  const auto& ui = dynamic_cast<const TerminalUserInterface&>(db->GetUserInterface());
  if (!ui.Unanswered().empty()) {
    throw Refusal("import-wpt stopped at the question '" + ui.Unanswered() + "' with nobody at a terminal to answer (" +
                  std::to_string(added) + " turnpoints added). Add --yes to overwrite turnpoints of the same name, "
                  "or --no to keep them and stop there.");
  }
  std::cout << a.other << ": " << added << " turnpoints added, at altitude 0 (waypoint altitudes are not kept; "
            << "import-turnpoints keeps them)\n";
  return 0;
}

// `file` is the source, `other` the target that is opened and written.
int Copy(const InterchangeArgs& a, const GlobalOptions& options) {
  RequireInputFile(a.file, "The file to copy from");
  auto db = OpenDatabase(a.other);
  const RowCounts counts(*db);
  TerminalProgress progress("Copying", options);
  OverwriteTally tally;
  db->InsertDataObjectsFrom(a.type, a.file, a.keys, progress.Object(), MakeOverwriteQuestion(a.overwrite, tally),
                            CopyConflictMessages(), enumImportAllOrNothing);
  EndProgressLine();
  std::cout << a.other << ": " << counts.Added(*db) << "; " << tally.overwritten << " overwritten, " << tally.skipped
            << " skipped as already there\n";
  db->CloseDB();
  if (tally.unanswered > 0) {
    throw Refusal(std::to_string(tally.unanswered) + " records already in " + a.other +
                  " were skipped with nobody at a terminal to answer; add --overwrite skip or --overwrite force.");
  }
  return 0;
}

// The merge by natural keys, or with --strict the copy that stops at the
// first row the target holds already.
int CopyCatalog(const InterchangeArgs& a, const GlobalOptions& options) {
  RequireInputFile(a.file, "The file to copy from");
  auto db = OpenDatabase(a.other);
  if (a.strict) {
    const RowCounts counts(*db);
    db->InsertCatalogFrom(a.file, enumImportAllOrNothing);
    std::cout << a.other << ": " << counts.Added(*db) << '\n';
    db->CloseDB();
    return 0;
  }
  TerminalProgress progress("Merging", options);
  const EnumMergeMode mode = a.existing == OverwritePolicy::Force ? enumMergeOverwrite
                             : a.existing == OverwritePolicy::Ask ? enumMergeAsk
                                                                   : enumMergeKeep;
  OverwriteTally tally;
  const CatalogMergeReport report =
      db->MergeCatalogFrom(a.file, mode, progress.Object(), MakeOverwriteQuestion(a.existing, tally));
  db->CloseDB();
  PrintMergeReport(std::cout, report);
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
                               [a, &options] { return ImportWaypoints(*a, options); },
                               "The turnpoints get altitude 0: the file's altitudes are not kept (use "
                               "import-turnpoints to keep them). When a turnpoint of the same name exists the "
                               "tool asks once; without a terminal --yes or --no must answer, or it fails.");
  wpt->add_option("FILE", a->file, "Database file")->required();
  wpt->add_option("IN", a->other, "The waypoint file")->required();
  CLI::Option* yes = wpt->add_flag("--yes", a->yes, "Overwrite turnpoints of the same name without asking");
  wpt->add_flag("--no", a->no, "Keep turnpoints of the same name and stop the import at the first")
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
                  "A record that is already in TO: ask (the default; at a terminal only, without one the "
                  "copy skips it and fails), skip or force");

  CLI::App* copyCatalog = commands.Add(
      "copy-catalog", "Merge the catalogue (pilots, gliders, origins, turnpoints, attributes ...) of FROM into TO",
      "zazorazari copy-catalog catalog.mdb cup.mdb --overwrite force", [a, &options] { return CopyCatalog(*a, options); },
      "Rows are matched on their natural keys and their references mapped to TO's keys; what TO lacks is added, "
      "all or nothing, with counts per table. A second run adds nothing. --strict runs the plain copy of gliders, "
      "attribute values, origins and report strings, which stops at the first row TO holds already.");
  copyCatalog->add_option("FROM", a->file, "The file to copy from")->required();
  copyCatalog->add_option("TO", a->other, "The file to copy into")->required();
  CLI::Option* strict = copyCatalog->add_flag("--strict", a->strict, "The plain copy instead of the merge");
  AddChoiceOption(copyCatalog, "--overwrite", a->existing, policies,
                  "A row TO holds already but with other values: skip (keep TO's; the default), force (take FROM's) "
                  "or ask (at a terminal; skip without one)")
      ->excludes(strict);
}

}  // namespace zazorazari::cli
