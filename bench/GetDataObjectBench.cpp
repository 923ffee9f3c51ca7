// Reading one pilot record through the facade against a raw prepared SELECT
// of the same doPilot row, on a file with 10,000 pilots.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <random>
#include <string>

#include "BenchCompetition.h"
#include "zazorazari/database/CDatabase.h"

namespace {

constexpr int kPilots = 10000;

// A competition file with kPilots pilots, made once per process.
const std::string& PilotFile() {
  static const std::string path = FilledCompetition("read-pilots.mdb", kPilots, 0);
  return path;
}

void BM_GetDataObjectPilot(benchmark::State& state) {
  zazorazari::CDatabase db;
  db.SetPath(PilotFile());
  db.OpenDB();
  std::mt19937 random(42);
  std::uniform_int_distribution<int> key(1, kPilots);
  for (auto _ : state) {
    auto pilot = db.GetDataObject("doPilot", key(random));
    benchmark::DoNotOptimize(pilot);
  }
  db.CloseDB();
}
BENCHMARK(BM_GetDataObjectPilot);

// The floor: one prepared statement, every column of the view read.
void BM_RawSelectPilot(benchmark::State& state) {
  sqlite3* raw = nullptr;
  sqlite3_open_v2(PilotFile().c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* select = nullptr;
  sqlite3_prepare_v2(raw, "SELECT * FROM doPilot WHERE pilPk = ?", -1, &select, nullptr);
  std::mt19937 random(42);
  std::uniform_int_distribution<int> key(1, kPilots);
  for (auto _ : state) {
    sqlite3_bind_int(select, 1, key(random));
    if (sqlite3_step(select) == SQLITE_ROW) {
      const int columns = sqlite3_column_count(select);
      for (int c = 0; c < columns; ++c) {
        benchmark::DoNotOptimize(sqlite3_column_decltype(select, c));
        if (sqlite3_column_type(select, c) == SQLITE_TEXT) {
          std::string text(reinterpret_cast<const char*>(sqlite3_column_text(select, c)));
          benchmark::DoNotOptimize(text);
        } else {
          benchmark::DoNotOptimize(sqlite3_column_double(select, c));
        }
      }
    }
    sqlite3_reset(select);
  }
  sqlite3_finalize(select);
  sqlite3_close(raw);
}
BENCHMARK(BM_RawSelectPilot);

}  // namespace
