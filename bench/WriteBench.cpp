// One write per operation through the facade (a result updated, a pilot
// added) against the same single-row write through SQLite in a transaction
// of its own, with the settings the engine opens files with: the cost of
// each is mostly its transaction's syncs, which both sides pay alike.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "BenchCompetition.h"
#include "zazorazari/database/CDatabase.h"

namespace {

constexpr int kPilots = 2000;
constexpr int kTasks = 20;

// The competition the writes go to: kPilots pilots, and kTasks tasks or none
// (a pilot added to a competition with tasks brings a result row in each).
const std::string& WriteFile(bool withTasks = true) {
  static const std::string withResults = FilledCompetition("writes.mdb", kPilots, kTasks);
  static const std::string pilotsOnly = FilledCompetition("writes-no-tasks.mdb", kPilots, 0);
  return withTasks ? withResults : pilotsOnly;
}

// Another raw connection, set up as the engine sets up its own.
sqlite3* OpenRaw(bool withTasks) {
  sqlite3* raw = nullptr;
  sqlite3_open(WriteFile(withTasks).c_str(), &raw);
  sqlite3_exec(raw, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
  return raw;
}

// Runs `write` (a prepared statement with its values bound) in a
// transaction of its own, as every facade operation does.
void InOwnTransaction(sqlite3* raw, sqlite3_stmt* begin, sqlite3_stmt* write, sqlite3_stmt* commit) {
  for (sqlite3_stmt* stmt : {begin, write, commit}) {
    sqlite3_step(stmt);
    sqlite3_reset(stmt);
  }
  benchmark::DoNotOptimize(sqlite3_changes(raw));
}

struct RawConnection {
  explicit RawConnection(bool withTasks = true) : raw(OpenRaw(withTasks)) {}
  sqlite3* raw;
  sqlite3_stmt* begin = Prepare("BEGIN IMMEDIATE");
  sqlite3_stmt* commit = Prepare("COMMIT");

  sqlite3_stmt* Prepare(const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(raw, sql, -1, &stmt, nullptr);
    return stmt;
  }
  ~RawConnection() {
    sqlite3_finalize(begin);
    sqlite3_finalize(commit);
    sqlite3_close(raw);
  }
};

void BM_UpdateDataObjectResult(benchmark::State& state) {
  zazorazari::CDatabase db;
  db.SetPath(WriteFile());
  db.OpenDB();
  auto result = db.GetDataObject("doResult", 1000);
  double score = 0;
  for (auto _ : state) {
    result->Fields("resScore")->SetValue(zazorazari::Variant(score += 1));
    benchmark::DoNotOptimize(db.UpdateDataObject(*result, zazorazari::enumOverwriteForce));
  }
  db.CloseDB();
}
BENCHMARK(BM_UpdateDataObjectResult)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_RawUpdateResult(benchmark::State& state) {
  RawConnection connection;
  sqlite3_stmt* update = connection.Prepare("UPDATE tblResult SET resScore = ? WHERE resPk = 1000");
  double score = 0;
  for (auto _ : state) {
    sqlite3_bind_double(update, 1, score += 1);
    InOwnTransaction(connection.raw, connection.begin, update, connection.commit);
  }
  sqlite3_finalize(update);
}
BENCHMARK(BM_RawUpdateResult)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A pilot whose names and number no other pilot has; the competition's
// tasks give it a result row each.
void BM_AddDataObjectPilot(benchmark::State& state) {
  zazorazari::CDatabase db;
  db.SetPath(WriteFile(state.range(0) != 0));
  db.OpenDB();
  static int added = 0;
  for (auto _ : state) {
    auto pilot = db.CreateDataObject("doPilot");
    const std::string n = std::to_string(++added);
    pilot->Fields("pilFirstName")->SetValue(zazorazari::Variant("Added" + n));
    pilot->Fields("pilLastName")->SetValue(zazorazari::Variant("Pilot" + n));
    pilot->Fields("pilSex")->SetValue(zazorazari::Variant("F"));
    pilot->Fields("pilNumber")->SetValue(zazorazari::Variant(100000 + added));
    benchmark::DoNotOptimize(db.AddDataObject(*pilot, zazorazari::enumOverwriteRaiseError));
  }
  db.CloseDB();
}
BENCHMARK(BM_AddDataObjectPilot)->ArgName("tasks")->Arg(kTasks)->Arg(0)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A prepared pilot INSERT with a new pilot's names and number bound: the
// first name starts with `name`, the numbers count on from `*number`, which
// keeps each benchmark's pilots apart through all its repetitions.
class RawPilotInsert {
 public:
  RawPilotInsert(RawConnection& connection, const char* name, int* number)
      : m_insert(connection.Prepare(
            "INSERT INTO tblPilot (pilFirstName, pilLastName, pilSex, pilNumber) VALUES (?, ?, 'F', ?)")),
        m_name(name),
        m_number(number) {}
  ~RawPilotInsert() { sqlite3_finalize(m_insert); }
  RawPilotInsert(const RawPilotInsert&) = delete;
  RawPilotInsert& operator=(const RawPilotInsert&) = delete;

  sqlite3_stmt* Next() {
    const std::string n = std::to_string(++*m_number);
    sqlite3_bind_text(m_insert, 1, (m_name + n).c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(m_insert, 2, ("Pilot" + n).c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(m_insert, 3, *m_number);
    return m_insert;
  }

 private:
  sqlite3_stmt* m_insert;
  std::string m_name;
  int* m_number;
};

void BM_RawInsertPilot(benchmark::State& state) {
  RawConnection connection(state.range(0) != 0);
  static int number = 500000;
  RawPilotInsert insert(connection, "Raw", &number);
  for (auto _ : state) InOwnTransaction(connection.raw, connection.begin, insert.Next(), connection.commit);
}
BENCHMARK(BM_RawInsertPilot)->ArgName("tasks")->Arg(kTasks)->Arg(0)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The rows an added pilot brings, written raw: the pilot and its empty
// result row in each task, in one transaction.
void BM_RawInsertPilotWithResults(benchmark::State& state) {
  RawConnection connection;
  static int number = 700000;
  RawPilotInsert insert(connection, "RawWithResults", &number);
  sqlite3_stmt* result = connection.Prepare("INSERT INTO tblResult (pilPk, tasPk) SELECT ?, tasPk FROM tblTask");
  for (auto _ : state) {
    for (sqlite3_stmt* stmt : {connection.begin, insert.Next()}) {
      sqlite3_step(stmt);
      sqlite3_reset(stmt);
    }
    sqlite3_bind_int64(result, 1, sqlite3_last_insert_rowid(connection.raw));
    for (sqlite3_stmt* stmt : {result, connection.commit}) {
      sqlite3_step(stmt);
      sqlite3_reset(stmt);
    }
    benchmark::DoNotOptimize(sqlite3_changes(connection.raw));
  }
  sqlite3_finalize(result);
}
BENCHMARK(BM_RawInsertPilotWithResults)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
