// Whole-file XML export and import of a 2,000-pilot, 20-task competition,
// timed against pugixml loading and saving the same file. This is the one
// file outside the interchange code that includes pugixml: it is the reference.
#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "BenchCompetition.h"
#include "BenchFolder.h"
#include "zazorazari/database/CDatabase.h"

namespace {

constexpr int kPilots = 2000;
constexpr int kTasks = 20;

// The filled competition file, made once per process.
const std::string& CompetitionFile() {
  static const std::string file = FilledCompetition("xml-source.mdb", kPilots, kTasks);
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
BENCHMARK(BM_ExportDB)->Iterations(3)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

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
BENCHMARK(BM_ImportDBFromXML)->Iterations(3)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The reference of both: pugixml loading the exported file and saving it.
void BM_PugixmlLoadSave(benchmark::State& state) {
  const std::string& xml = ExportedFile();
  const std::string out = (BenchDir() / "pugixml-save.xml").string();
  for (auto _ : state) {
    pugi::xml_document document;
    benchmark::DoNotOptimize(document.load_file(xml.c_str()));
    benchmark::DoNotOptimize(document.save_file(out.c_str(), "", pugi::format_raw | pugi::format_no_declaration));
  }
  state.SetBytesProcessed(state.iterations() * FileBytes(xml));
}
BENCHMARK(BM_PugixmlLoadSave)->Iterations(3)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
