// Export of one task for instruments and maps, and import of an XCTrack
// task file into a task (see docs/TASK_FILES.md).
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/AtomicScope.h"
#include "zazorazari/platform/FileReplacement.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/interchange/TaskFileWriters.h"
#include "zazorazari/interchange/TaskQrCode.h"
#include "zazorazari/interchange/XctskFormat.h"

namespace zazorazari {

using namespace interchange;

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string WriteXctsk(const TaskDefinition& task, const TaskRoute&) { return XctskFile(task); }
std::string WriteQrText(const TaskDefinition& task, const TaskRoute&) { return XctskQrText(task) + "\n"; }
std::string WriteQrSvg(const TaskDefinition& task, const TaskRoute&) { return QrCodeSvg(XctskQrText(task)); }
std::string WriteQrPng(const TaskDefinition& task, const TaskRoute&) { return QrCodePng(XctskQrText(task)); }

const TaskFileFormat kFormats[] = {
    {"xctsk", ".xctsk", WriteXctsk},       {"qr", ".txt", WriteQrText},       {"qr-svg", "", WriteQrSvg},
    {"qr-png", ".png", WriteQrPng},        {"cup", ".cup", TaskCupFile},      {"kml", ".kml", TaskKmlFile},
    {"geojson", ".geojson", TaskGeoJsonFile}, {"map", ".svg", TaskMapSvg},
};

std::string ReadWholeFile(const std::string& strPath) {
  if (!std::filesystem::exists(strPath)) throw RuntimeError(errFileNotFound);
  std::ifstream in(strPath, std::ios::binary);
  if (!in) throw RuntimeError(errPathFileAccess);
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw RuntimeError(errPathFileAccess);
  if (text.find_first_not_of(" \t\r\n") == std::string::npos) throw RuntimeError(errInputPastEndOfFile);
  return text;
}

}  // namespace

namespace interchange {

const TaskFileFormat& TaskFileFormatFor(const std::string& strFormat, const std::string& path) {
  const std::string wanted = Lower(strFormat);
  const std::string extension = Lower(std::filesystem::path(path).extension().string());
  for (const auto& format : kFormats) {
    if (wanted.empty() ? (*format.extension != '\0' && extension == format.extension) : wanted == format.name) {
      return format;
    }
  }
  throw PlacedError(errInvalidProcedureCall, "", (wanted.empty() ? "the extension of '" + path + "' names"
                                                                 : "'" + strFormat + "' is") +
                                                     " no task file format (xctsk, qr, qr-svg, qr-png, cup, kml, "
                                                     "geojson, map)");
}

}  // namespace interchange

void CDatabase::ExportTaskToFile(const std::string& strPath, const std::string& strFormat, int32_t lPkTask,
                                 DispatchPtr frmProgress) {
  const TaskFileFormat& format = TaskFileFormatFor(strFormat, strPath);
  InTransaction(*this, false, [&] {
    const auto engineDb = DatabaseObject();
    if (!engineDb) throw RuntimeError(errObjectNotSet);
    ReportProgress(frmProgress, int16_t{1});
    const TaskDefinition task = ReadTaskDefinition(*engineDb, lPkTask);
    const std::string bytes = format.write(task, RouteOf(task));
    ReportProgress(frmProgress, int16_t{50});
    files::ReplaceFileWith(strPath, files::kExportedFile, [&](FILE* file) {
      return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    });
    ReportProgress(frmProgress, int16_t{100});
  });
}

std::string CDatabase::TaskQrText(int32_t lPkTask) {
  return InTransaction(*this, false, [&] {
    const auto engineDb = DatabaseObject();
    if (!engineDb) throw RuntimeError(errObjectNotSet);
    return XctskQrText(ReadTaskDefinition(*engineDb, lPkTask));
  });
}

int32_t CDatabase::ImportTaskFromFile(const std::string& strPath, int32_t lPkTask, DispatchPtr frmProgress) {
  const auto engineDb = DatabaseObject();
  if (!engineDb) throw RuntimeError(errObjectNotSet);
  ReportProgress(frmProgress, int16_t{1});
  // The whole file is read and checked first: a fault in it writes nothing.
  TaskDefinition task = ReadXctsk(ReadWholeFile(strPath));
  task.name = std::filesystem::path(strPath).stem().string();
  CheckTaskDefinition(task, "file '" + strPath + "'");
  ReportProgress(frmProgress, int16_t{20});
  int32_t key = 0;
  {
    engine::AtomicScope scope(*engineDb);  // undone unless committed
    key = StoreTaskDefinition(*this, *engineDb, task, lPkTask);
    ComputeTaskDistance(key);
    scope.Commit();
  }
  ReportProgress(frmProgress, int16_t{100});
  return key;
}

}  // namespace zazorazari
