// Task files for instruments and maps: export-task, import-task, and the
// task command's distance and map actions.
#include "TaskFileCommands.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "ChoiceOption.h"
#include "CommandSet.h"
#include "OpenDatabase.h"
#include "TerminalProgress.h"
#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli {

namespace {

struct TaskFileArgs {
  std::string file;
  std::string other;
  std::string format;  // "" takes it from the extension
  int32_t task = 0;
};

std::string Text(const Variant& value) { return value.IsNull() ? std::string() : CStr(value); }
double Number(const Variant& value) { return value.IsNull() ? 0.0 : CDbl(value); }

int ExportTask(const TaskFileArgs& a, const GlobalOptions& options) {
  auto db = OpenDatabase(a.file);
  TerminalProgress progress("Exporting task", options);
  db->ExportTaskToFile(a.other, a.format, a.task, progress.Object());
  db->CloseDB();
  return 0;
}

int ImportTask(const TaskFileArgs& a, const GlobalOptions& options) {
  auto db = OpenDatabase(a.file);
  int32_t key = 0;
  {
    TerminalProgress progress("Importing task", options);
    key = db->ImportTaskFromFile(a.other, a.task, progress.Object());
  }
  PrintTaskDistance(*db, key);
  db->CloseDB();
  return 0;
}

}  // namespace

void PrintTaskDistance(CDatabase& db, int32_t task) {
  db.ComputeTaskDistance(task);
  CDataObjectPtr record = db.GetDataObject("doTask", task);
  std::printf("Task %d \"%s\": optimised distance %.3f km, speed section %.3f km\n", task,
              Text(record->Fields("tasName")->Value()).c_str(), Number(record->Fields("tasDistance")->Value()),
              Number(record->Fields("tasSSDistance")->Value()));
  std::printf("  %3s  %-20s %-9s %8s %10s %10s\n", "nr", "turnpoint", "type", "radius m", "leg km", "total km");
  for (const auto& row : db.ListDataObjects("doTaskTurnpoint", "tasPk=" + std::to_string(task), "ttpNr")) {
    std::printf("  %3d  %-20s %-9s %8.0f %10.3f %10.3f\n", CLng(row->Fields("ttpNr")->Value()),
                Text(row->Fields("trnName")->Value()).c_str(), Text(row->Fields("ttpTimeGateType")->Value()).c_str(),
                Number(row->Fields("ttpCircle")->Value()), Number(row->Fields("ttpDistanceDiff")->Value()),
                Number(row->Fields("ttpDistanceTotal")->Value()));
  }
}

void WriteTaskMap(CDatabase& db, int32_t task, const std::string& path) {
  const GlobalOptions quiet{true};
  TerminalProgress progress("Writing map", quiet);
  db.ExportTaskToFile(path, "map", task, progress.Object());
}

std::vector<std::string> WriteDemoTaskFiles(CDatabase& db, const std::vector<int32_t>& tasks, const std::string& dir,
                                            const GlobalOptions& options) {
  for (const int32_t task : tasks) db.ComputeTaskDistance(task);
  const std::string stem = "task" + std::to_string(tasks.front());
  std::vector<std::string> paths;
  for (const char* suffix : {".xctsk", "-qr.png", "-map.svg"}) {
    paths.push_back((std::filesystem::path(dir) / (stem + suffix)).string());
    TerminalProgress progress("Exporting task files", options);
    db.ExportTaskToFile(paths.back(), "", tasks.front(), progress.Object());
  }
  return paths;
}

void AddTaskFileCommands(CommandSet& commands) {
  auto a = std::make_shared<TaskFileArgs>();
  const GlobalOptions& options = commands.Options();

  CLI::App* out = commands.Add(
      "export-task-file", "Export a task for instruments and maps: XCTrack .xctsk, its QR code, .cup, KML, GeoJSON, SVG map",
      "zazorazari export-task-file cup.mdb 1 task1.xctsk", [a, &options] { return ExportTask(*a, options); },
      "Formats (default: from the extension of OUT):\n"
      "  xctsk    .xctsk   XCTrack task file\n"
      "  qr       .txt     the XCTSK: text of the task's QR code\n"
      "  qr-svg            the QR code as SVG\n"
      "  qr-png   .png     the QR code as PNG\n"
      "  cup      .cup     SeeYou turnpoints, task and cylinders\n"
      "  kml      .kml     Google Earth: cylinders and the optimised route\n"
      "  geojson  .geojson cylinders as polygons and the optimised route\n"
      "  map      .svg     an A4 map of the task");
  out->add_option("FILE", a->file, "Database file")->required();
  out->add_option("TASK", a->task, "The task's key")->required();
  out->add_option("OUT", a->other, "The file to write (replaced when complete)")->required();
  const std::map<std::string, std::string> formats{{"xctsk", "xctsk"}, {"qr", "qr"},       {"qr-svg", "qr-svg"},
                                                   {"qr-png", "qr-png"}, {"cup", "cup"},     {"kml", "kml"},
                                                   {"geojson", "geojson"}, {"map", "map"}};
  AddChoiceOption(out, "--format", a->format, formats, "The file's format (default: from the extension of OUT)");

  CLI::App* in = commands.Add("import-task-file", "Import an XCTrack task (.xctsk file or XCTSK: QR text)",
                              "zazorazari import-task-file cup.mdb task.xctsk",
                              [a, &options] { return ImportTask(*a, options); },
                              "Turnpoints are found by name or added; the task gets the file's turnpoints, cylinders "
                              "and times and its optimised distance. A fault in the file imports nothing.");
  in->add_option("FILE", a->file, "Database file")->required();
  in->add_option("IN", a->other, "The task file")->required();
  in->add_option("--task", a->task, "Replace this task's turnpoints and times (default: a new task)");
}

}  // namespace zazorazari::cli
