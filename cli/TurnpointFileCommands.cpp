// Turnpoint file commands: SeeYou .cup, GPX, GeoJSON and OziExplorer .wpt
// in and out of a database file.
#include <map>
#include <memory>
#include <string>

#include "ChoiceOption.h"
#include "CommandSet.h"
#include "OpenDatabase.h"
#include "ReplaceGuard.h"
#include "TerminalProgress.h"

namespace zazorazari::cli {

namespace {

struct TurnpointFileArgs {
  std::string file;
  std::string other;
  std::string format;  // "" detects it
  int32_t task = 0;
  bool force = false;
  EnumOverwriteMode overwrite = enumOverwriteReturnPk;
};

int ImportTurnpoints(const TurnpointFileArgs& a, const GlobalOptions& options) {
  auto db = OpenDatabase(a.file);
  TerminalProgress progress("Importing turnpoints", options);
  db->ImportTurnpointsFromFile(a.other, a.format, a.overwrite, progress.Object());
  db->CloseDB();
  return 0;
}

int ExportTurnpoints(const TurnpointFileArgs& a, const GlobalOptions& options) {
  RefuseToReplace(a.other, a.force);
  auto db = OpenDatabase(a.file);
  TerminalProgress progress("Exporting turnpoints", options);
  db->ExportTurnpointsToFile(a.other, a.format, a.task, progress.Object());
  db->CloseDB();
  return 0;
}

void AddFormatOption(CLI::App* sub, TurnpointFileArgs& a, const std::string& description) {
  const std::map<std::string, std::string> formats{
      {"cup", "cup"}, {"gpx", "gpx"}, {"geojson", "geojson"}, {"ozi", "ozi"}};
  AddChoiceOption(sub, "--format", a.format, formats, description);
}

}  // namespace

void AddTurnpointFileCommands(CommandSet& commands) {
  auto a = std::make_shared<TurnpointFileArgs>();
  const GlobalOptions& options = commands.Options();

  CLI::App* in = commands.Add(
      "import-turnpoints", "Import turnpoints from a SeeYou .cup, GPX, GeoJSON or OziExplorer file",
      "zazorazari import-turnpoints cup.mdb points.cup --overwrite force",
      [a, &options] { return ImportTurnpoints(*a, options); },
      "Every waypoint goes through the turnpoint rules. A fault in the file imports nothing; waypoints "
      "refused because their identifier (or, with --overwrite error, their name) is taken are listed "
      "after the others are stored.");
  in->add_option("FILE", a->file, "Database file")->required();
  in->add_option("IN", a->other, "The turnpoint file")->required();
  AddFormatOption(in, *a, "The file's format (default: detected from its content)");
  const std::map<std::string, EnumOverwriteMode> modes{
      {"force", enumOverwriteForce}, {"error", enumOverwriteRaiseError}, {"return", enumOverwriteReturnPk}};
  AddChoiceOption(in, "--overwrite", a->overwrite, modes,
                  "A turnpoint of the same name: keep it (return, the default), replace it (force) or "
                  "report it (error)");

  CLI::App* out = commands.Add("export-turnpoints",
                               "Export all turnpoints, or one task's, as a SeeYou .cup, GPX, GeoJSON or OziExplorer file",
                               "zazorazari export-turnpoints cup.mdb task1.cup --task 1",
                               [a, &options] { return ExportTurnpoints(*a, options); });
  out->add_option("FILE", a->file, "Database file")->required();
  out->add_option("OUT", a->other, "The file to write (replaced when complete)")->required();
  AddForceFlag(out, a->force, "OUT");
  out->add_option("--task", a->task, "Only this task's turnpoints, in task order (.cup also gets the task)");
  AddFormatOption(out, *a, "The file's format (default: from the extension of OUT)");
}

}  // namespace zazorazari::cli
