// A 500-pilot registration list imported in one transaction
// (ImportPilotsFromCSV), next to the same 500 pilots written by 500
// AddDataObject calls, each its own operation and so its own transaction
// with its own synchronous commit. Each run starts from a fresh file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "BenchFolder.h"
#include "FreshImport.h"
#include "zazorazari/zazorazari.h"

namespace {

constexpr int kPilots = 500;

const char* const kNations[] = {"CHE", "AUT", "DEU", "FRA", "ITA"};
const char* const kMakers[][2] = {{"Ozone", "Enzo 3"}, {"Gin", "Boomerang 12"}, {"Advance", "Omega X-Alps"}};

const std::string& ListFile() {
  static const std::string path = [] {
    const std::string file = (BenchDir() / "entries.csv").string();
    std::ofstream out(file, std::ios::binary);
    out << "pilNumber;pilLastName;pilFirstName;pilBirthday;natCode3;manName;gliName\r\n";
    for (int i = 1; i <= kPilots; ++i) {
      out << i << ";Müßig-" << i << ";Jörg;19" << 50 + i % 50 << "-0" << 1 + i % 9 << "-1" << i % 9 << ';'
          << kNations[i % 5] << ';' << kMakers[i % 3][0] << ';' << kMakers[i % 3][1] << "\r\n";
    }
    return file;
  }();
  return path;
}

template <class Import>
void TimeImport(benchmark::State& state, Import import) {
  ListFile();
  TimeFreshImports(state, "pilots.mdb", kPilots, import);
}

void BM_PilotListCsvOneTransaction(benchmark::State& state) {
  TimeImport(state, [](zazorazari::CDatabase& db) {
    const auto report = db.ImportPilotsFromCSV(ListFile(), {}, nullptr);
    if (report.added != kPilots) std::abort();
  });
}
BENCHMARK(BM_PilotListCsvOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void BM_PilotListSameAsAddDataObjectEach(benchmark::State& state) {
  TimeImport(state, [](zazorazari::CDatabase& db) {
    auto pilot = db.CreateDataObject("doPilot");
    for (int i = 1; i <= kPilots; ++i) {
      pilot->Fields("pilPk")->SetValue(zazorazari::Variant::Null());
      pilot->Fields("pilNumber")->SetValue(i);
      pilot->Fields("pilLastName")->SetValue("Müßig-" + std::to_string(i));
      pilot->Fields("pilFirstName")->SetValue("Jörg");
      pilot->Fields("pilBirthday")->SetValue(
          zazorazari::Variant::Date(zazorazari::DateSerial(1950 + i % 50, 1 + i % 9, 10 + i % 9)));
      pilot->Fields("natCode3")->SetValue(kNations[i % 5]);
      pilot->Fields("manName")->SetValue(kMakers[i % 3][0]);
      pilot->Fields("gliName")->SetValue(kMakers[i % 3][1]);
      db.AddDataObject(*pilot, zazorazari::enumOverwriteReturnPk);
    }
  });
}
BENCHMARK(BM_PilotListSameAsAddDataObjectEach)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace
