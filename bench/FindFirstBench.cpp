// FindFirst on a dynaset over a 100,000-row table with an indexed text
// column, next to the same lookup as a raw prepared SQLite statement, and the
// cost of opening a recordset on that table.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "BenchFolder.h"
#include "zazorazari/engine/DBEngine.h"
#include "zazorazari/engine/OperationScope.h"

namespace {

using namespace zazorazari::engine;

constexpr int kRows = 100000;
constexpr int kLookups = 10000;

std::string NameOf(int i) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "Pilot %06d", (i * 7919) % kRows);  // not in key order
  return buffer;
}

// The benchmark file, built once with raw SQLite, and the random names to look up.
struct BenchData {
  std::string path;
  std::vector<std::string> names;

  BenchData() {
    path = (BenchDir() / "findfirst.mdb").string();
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE tblBench (benPk INTEGER PRIMARY KEY AUTOINCREMENT, benName TEXT(40) COLLATE NOCASE, "
                 "benScore DOUBLE, benStart DATETIME);"
                 "CREATE INDEX ixBenchName ON tblBench (benName); BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO tblBench (benName, benScore, benStart) VALUES (?, ?, ?)", -1, &insert, nullptr);
    for (int i = 0; i < kRows; ++i) {
      const std::string name = NameOf(i);
      sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_double(insert, 2, i * 0.5);
      sqlite3_bind_double(insert, 3, 40000 + i / 100.0);
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    std::mt19937 random(42);
    std::uniform_int_distribution<int> pick(0, kRows - 1);
    for (int i = 0; i < kLookups; ++i) names.push_back(NameOf(pick(random)));
  }
  ~BenchData() { std::filesystem::remove(path); }
};

BenchData& Data() {
  static BenchData data;
  return data;
}

void BM_EngineFindFirst(benchmark::State& state) {
  auto db = DBEngine::ForThisThread().OpenDatabase(Data().path);
  auto rs = db->OpenRecordset("tblBench", dbOpenDynaset);
  size_t next = 0;
  for (auto _ : state) {
    rs->FindFirst("benName=\"" + Data().names[next++ % kLookups] + "\"");
    benchmark::DoNotOptimize(rs->Fields(2).Value());
  }
  if (rs->NoMatch()) state.SkipWithError("a name was not found");
}
BENCHMARK(BM_EngineFindFirst)->Iterations(kLookups)->Unit(benchmark::kMicrosecond);

// As the component searches: inside an operation's read transaction, so the
// file is not locked and unlocked around every statement.
void BM_EngineFindFirstInOperation(benchmark::State& state) {
  auto db = DBEngine::ForThisThread().OpenDatabase(Data().path);
  OperationScope scope(*db, false);
  auto rs = db->OpenRecordset("tblBench", dbOpenDynaset);
  size_t next = 0;
  for (auto _ : state) {
    rs->FindFirst("benName=\"" + Data().names[next++ % kLookups] + "\"");
    benchmark::DoNotOptimize(rs->Fields(2).Value());
  }
}
BENCHMARK(BM_EngineFindFirstInOperation)->Iterations(kLookups)->Unit(benchmark::kMicrosecond);

void BM_RawSqliteSelect(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(Data().path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT rowid, * FROM tblBench WHERE benName = ? ORDER BY rowid LIMIT 1", -1, &stmt, nullptr);
  const bool inTransaction = state.range(0) != 0;
  if (inTransaction) sqlite3_exec(db, "BEGIN DEFERRED", nullptr, nullptr, nullptr);
  size_t next = 0;
  for (auto _ : state) {
    const std::string& name = Data().names[next++ % kLookups];
    sqlite3_bind_text(stmt, 1, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(stmt) == SQLITE_ROW)
      for (int i = 0; i < sqlite3_column_count(stmt); ++i) benchmark::DoNotOptimize(sqlite3_column_value(stmt, i));
    sqlite3_reset(stmt);
  }
  sqlite3_finalize(stmt);
  if (inTransaction) sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}
// Argument 1: inside a read transaction, like BM_EngineFindFirstInOperation.
BENCHMARK(BM_RawSqliteSelect)->Arg(0)->Arg(1)->Iterations(kLookups)->Unit(benchmark::kMicrosecond);

// Opening steps to the first row only, whatever the table's size.
void BM_OpenOrderedDynaset(benchmark::State& state) {
  auto db = DBEngine::ForThisThread().OpenDatabase(Data().path);
  for (auto _ : state) {
    auto rs = db->OpenRecordset("SELECT * FROM tblBench WHERE benScore >= 0 ORDER BY benName", dbOpenDynaset);
    benchmark::DoNotOptimize(rs->Fields(1).Value());
  }
}
BENCHMARK(BM_OpenOrderedDynaset)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
