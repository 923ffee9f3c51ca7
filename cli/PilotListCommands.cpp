// Registration list commands: pilots in from a CSV file (checked line by
// line, all or nothing) and out to one with the same columns.
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ChoiceOption.h"
#include "CommandSet.h"
#include "OpenDatabase.h"
#include "ReplaceGuard.h"
#include "TerminalProgress.h"

namespace zazorazari::cli {

namespace {

struct PilotListArgs {
  std::string file;
  std::string list;
  std::string map;
  PilotListOptions options;
  char separator = ',';
  bool force = false;
};

// "Surname=pilLastName,Club=Verein" as header/field pairs.
std::vector<std::pair<std::string, std::string>> ParseMap(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> pairs;
  size_t start = 0;
  while (start <= text.size() && !text.empty()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    const std::string entry = text.substr(start, end - start);
    const size_t equals = entry.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == entry.size()) {
      throw CLI::ValidationError("--map", "'" + entry + "' is not HEADER=FIELD");
    }
    pairs.emplace_back(entry.substr(0, equals), entry.substr(equals + 1));
    start = end + 1;
  }
  return pairs;
}

int ImportPilots(PilotListArgs& a, const GlobalOptions& options) {
  a.options.columnMap = ParseMap(a.map);
  auto db = OpenDatabase(a.file);
  PilotListReport report;
  {
    TerminalProgress progress(a.options.dryRun ? "Checking pilots" : "Importing pilots", options);
    report = db->ImportPilotsFromCSV(a.list, a.options, progress.Object());
  }
  db->CloseDB();
  for (const auto& p : report.problems) {
    std::cerr << a.list << ':' << p.line << ": ";
    if (!p.column.empty()) std::cerr << "column " << p.column << " '" << p.value << "': ";
    std::cerr << p.message << '\n';
  }
  std::cout << report.lines << " pilot line(s): ";
  if (!report.written) {
    std::cout << report.problems.size() << " problem(s); "
              << (a.options.dryRun && report.problems.empty() ? "the list is fine; " : "")
              << "nothing written\n";
    return report.problems.empty() ? 0 : 1;
  }
  std::cout << report.added << " added, " << report.existing << " already there, " << report.replaced
            << " replaced\n";
  return 0;
}

int ExportPilots(const PilotListArgs& a, const GlobalOptions& options) {
  RefuseToReplace(a.list, a.force);
  auto db = OpenDatabase(a.file);
  int32_t count = 0;
  {
    TerminalProgress progress("Exporting pilots", options);
    count = db->ExportPilotsToCSV(a.list, a.separator, progress.Object());
  }
  db->CloseDB();
  std::cout << count << " pilot(s) written to " << a.list << '\n';
  return 0;
}

}  // namespace

void AddPilotListCommands(CommandSet& commands) {
  auto a = std::make_shared<PilotListArgs>();
  const GlobalOptions& options = commands.Options();

  CLI::App* in = commands.Add(
      "import-pilots", "Import pilots from a registration list (CSV)",
      "zazorazari import-pilots alps.mdb entries.csv --map \"Surname=pilLastName,Given name=pilFirstName\" --dry-run",
      [a, &options] { return ImportPilots(*a, options); },
      "The header row names the columns: pilot fields (pilLastName, natCode3, manName, gliName, pilBirthday ...) "
      "or the competition's attribute names, in any letter case. Every line goes through the pilot rules; "
      "when any line has a problem nothing is written and each problem is listed with its line and column. "
      "UTF-8 (with or without BOM) or Windows-1252, ',' ';' or tab between cells, birthdays as 1985-04-23 "
      "or 23.04.1985.");
  in->add_option("FILE", a->file, "Database file")->required();
  in->add_option("CSV", a->list, "The registration list")->required();
  in->add_option("--map", a->map, "Other headers: \"Header=field,...\" (a field or an attribute name)");
  in->add_flag("--dry-run", a->options.dryRun, "Check every line and write nothing");
  const std::map<std::string, EnumOverwriteMode> modes{
      {"force", enumOverwriteForce}, {"error", enumOverwriteRaiseError}, {"return", enumOverwriteReturnPk}};
  AddChoiceOption(in, "--overwrite", a->options.overwrite, modes,
                  "A pilot already there: keep him (return, the default), replace him (force) or report the "
                  "line (error)");

  CLI::App* out = commands.Add("export-pilots", "Export every pilot as a registration list (CSV) the import reads",
                               "zazorazari export-pilots alps.mdb entries.csv --separator ';'",
                               [a, &options] { return ExportPilots(*a, options); });
  out->add_option("FILE", a->file, "Database file")->required();
  out->add_option("CSV", a->list, "The file to write (replaced when complete)")->required();
  AddForceFlag(out, a->force, "CSV");
  const std::map<std::string, char> separators{{",", ','}, {";", ';'}, {"tab", '\t'}};
  AddChoiceOption(out, "--separator", a->separator, separators, "Between cells (default ',')");
}

}  // namespace zazorazari::cli
