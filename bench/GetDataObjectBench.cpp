// Reading one pilot record through the facade against a raw prepared SELECT
// of the same doPilot row, on a file with 10,000 pilots.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <random>
#include <string>

#include <unistd.h>

#include "BenchFolder.h"
#include "zazorazari/database/CDatabase.h"

namespace {

constexpr int kPilots = 10000;

// A competition file with kPilots pilots, made once per process.
const std::string& PilotFile() {
  static const std::string path = [] {
    const std::string file = (BenchDir() / "pilots.mdb").string();
    zazorazari::CDatabase db;
    db.Create(file, ZAZ_TEMPLATE_DIR, zazorazari::enumFileCompetition);
    sqlite3* raw = nullptr;
    sqlite3_open(file.c_str(), &raw);
    sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(raw,
                       "INSERT INTO tblPilot (pilFirstName, pilLastName, pilSex, pilNumber, pilIDGlobal) "
                       "VALUES (?, ?, 'M', ?, ?)",
                       -1, &insert, nullptr);
    for (int i = 1; i <= kPilots; ++i) {
      const std::string first = "First" + std::to_string(i);
      const std::string last = "Last" + std::to_string(i);
      const std::string id = "ID" + std::to_string(i);
      sqlite3_bind_text(insert, 1, first.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(insert, 2, last.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_int(insert, 3, i);
      sqlite3_bind_text(insert, 4, id.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    return file;
  }();
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
