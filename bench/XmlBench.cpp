// Whole-file XML export and import of a 2,000-pilot, 20-task competition,
// timed against pugixml parsing and saving the same file. This is the one
// file outside the interchange code that includes pugixml: it is the reference.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include <unistd.h>

#include "BenchFolder.h"
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/platform/Dispatch.h"

namespace {

constexpr int kPilots = 2000;
constexpr int kTasks = 20;

zazorazari::DispatchPtr SilentProgress() {
  auto progress = std::make_shared<zazorazari::DispatchObject>();
  progress->OnMethod("SetInfo", [](std::span<const zazorazari::Variant>) { return zazorazari::Variant(); });
  return progress;
}

void Exec(sqlite3* raw, const char* sql) { sqlite3_exec(raw, sql, nullptr, nullptr, nullptr); }

void FillCompetition(const std::string& file) {
  sqlite3* raw = nullptr;
  sqlite3_open(file.c_str(), &raw);
  Exec(raw, "BEGIN");
  sqlite3_stmt* pilot = nullptr;
  sqlite3_prepare_v2(raw,
                     "INSERT INTO tblPilot (pilFirstName, pilLastName, pilSex, pilNumber, pilIDGlobal, pilSponsor) "
                     "VALUES (?, ?, 'M', ?, ?, 'Sponsor')",
                     -1, &pilot, nullptr);
  for (int i = 1; i <= kPilots; ++i) {
    const std::string first = "First" + std::to_string(i);
    const std::string last = "Last" + std::to_string(i);
    const std::string id = "ID" + std::to_string(i);
    sqlite3_bind_text(pilot, 1, first.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(pilot, 2, last.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(pilot, 3, i);
    sqlite3_bind_text(pilot, 4, id.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(pilot);
    sqlite3_reset(pilot);
  }
  sqlite3_finalize(pilot);

  sqlite3_stmt* task = nullptr;
  sqlite3_prepare_v2(raw,
                     "INSERT INTO tblTask (tasName, tasDate, tasResultsType, tasTaskType, tasStartType, "
                     "tasDistance, tasNeedsComputing) VALUES (?, 45000 + ?, 'Position', 'Race', 'Air', 100.5, 0)",
                     -1, &task, nullptr);
  sqlite3_stmt* formula = nullptr;
  sqlite3_prepare_v2(raw, "INSERT INTO tblFormulaTask (fotFormulaID, tasPk, fotParameter) VALUES (1, ?, 'a=1;b=2')",
                     -1, &formula, nullptr);
  for (int t = 1; t <= kTasks; ++t) {
    const std::string name = "Task " + std::to_string(t);
    sqlite3_bind_text(task, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(task, 2, t);
    sqlite3_step(task);
    sqlite3_reset(task);
    sqlite3_bind_int64(formula, 1, sqlite3_last_insert_rowid(raw));
    sqlite3_step(formula);
    sqlite3_reset(formula);
  }
  sqlite3_finalize(task);
  sqlite3_finalize(formula);

  // One result for every pilot in every task: 40,000 rows.
  sqlite3_stmt* result = nullptr;
  sqlite3_prepare_v2(raw,
                     "INSERT INTO tblResult (pilPk, tasPk, resStatus, resTurnpointsReached, resDistance, "
                     "resDistanceReal, resSpeed, resScore, resPlace, resReachedES, resComment) "
                     "VALUES (?, ?, 'FLY', 3, ?, ?, 35.25, ?, ?, 0, 'ok')",
                     -1, &result, nullptr);
  for (int t = 1; t <= kTasks; ++t) {
    for (int p = 1; p <= kPilots; ++p) {
      sqlite3_bind_int(result, 1, p);
      sqlite3_bind_int(result, 2, t);
      sqlite3_bind_double(result, 3, 50.0 + p * 0.01);
      sqlite3_bind_double(result, 4, 51.0 + p * 0.01);
      sqlite3_bind_double(result, 5, 1000.0 - p * 0.25);
      sqlite3_bind_int(result, 6, p);
      sqlite3_step(result);
      sqlite3_reset(result);
    }
  }
  sqlite3_finalize(result);
  Exec(raw, "COMMIT");
  sqlite3_close(raw);
}

// The filled competition file, made once per process.
const std::string& CompetitionFile() {
  static const std::string file = [] {
    const std::string path = (BenchDir() / "competition.mdb").string();
    zazorazari::CDatabase db;
    db.Create(path, ZAZ_TEMPLATE_DIR, zazorazari::enumFileCompetition);
    FillCompetition(path);
    return path;
  }();
  return file;
}

void Export(const std::string& xml) {
  zazorazari::CDatabase db;
  db.SetPath(CompetitionFile());
  db.OpenDB();
  db.ExportDB(xml, zazorazari::enumDB6, zazorazari::enumExportXML, SilentProgress());
  db.CloseDB();
}

// The exported XML every reading benchmark uses, made once per process.
const std::string& ExportedFile() {
  static const std::string file = [] {
    const std::string path = (BenchDir() / "exported.xml").string();
    Export(path);
    return path;
  }();
  return file;
}

int64_t FileBytes(const std::string& path) { return static_cast<int64_t>(std::filesystem::file_size(path)); }

void BM_ExportDB(benchmark::State& state) {
  const std::string xml = (BenchDir() / "export-run.xml").string();
  CompetitionFile();
  for (auto _ : state) Export(xml);
  state.SetBytesProcessed(state.iterations() * FileBytes(xml));
}
BENCHMARK(BM_ExportDB)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ImportDBFromXML(benchmark::State& state) {
  const std::string& xml = ExportedFile();
  int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string target = (BenchDir() / ("import-" + std::to_string(++run) + ".mdb")).string();
    zazorazari::CDatabase db;
    db.Create(target, ZAZ_TEMPLATE_DIR, zazorazari::enumFileCompetition);
    db.SetPath(target);
    db.OpenDB();
    state.ResumeTiming();
    db.ImportDBFromXML(xml, SilentProgress());
    state.PauseTiming();
    db.CloseDB();
    std::filesystem::remove(target);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * FileBytes(xml));
}
BENCHMARK(BM_ImportDBFromXML)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_PugixmlParse(benchmark::State& state) {
  const std::string& xml = ExportedFile();
  for (auto _ : state) {
    pugi::xml_document document;
    benchmark::DoNotOptimize(document.load_file(xml.c_str()));
  }
  state.SetBytesProcessed(state.iterations() * FileBytes(xml));
}
BENCHMARK(BM_PugixmlParse)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_PugixmlSave(benchmark::State& state) {
  const std::string& xml = ExportedFile();
  pugi::xml_document document;
  document.load_file(xml.c_str());
  const std::string out = (BenchDir() / "pugixml-save.xml").string();
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        document.save_file(out.c_str(), "", pugi::format_raw | pugi::format_no_declaration));
  }
  state.SetBytesProcessed(state.iterations() * FileBytes(out));
}
BENCHMARK(BM_PugixmlSave)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
