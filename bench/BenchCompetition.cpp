// Competition files and a silent progress form (see BenchCompetition.h).
#include "BenchCompetition.h"

#include <sqlite3.h>

#include <memory>
#include <span>

#include "BenchFolder.h"
#include "zazorazari/database/CDatabase.h"

namespace {

void Exec(sqlite3* raw, const char* sql) { sqlite3_exec(raw, sql, nullptr, nullptr, nullptr); }

void Fill(const std::string& file, int pilots, int tasks) {
  sqlite3* raw = nullptr;
  sqlite3_open(file.c_str(), &raw);
  Exec(raw, "BEGIN");
  sqlite3_stmt* pilot = nullptr;
  sqlite3_prepare_v2(raw,
                     "INSERT INTO tblPilot (pilFirstName, pilLastName, pilSex, pilNumber, pilIDGlobal, pilSponsor) "
                     "VALUES (?, ?, 'M', ?, ?, 'Sponsor')",
                     -1, &pilot, nullptr);
  for (int i = 1; i <= pilots; ++i) {
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
  for (int t = 1; t <= tasks; ++t) {
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
  for (int t = 1; t <= tasks; ++t) {
    for (int p = 1; p <= pilots; ++p) {
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

}  // namespace

std::string FilledCompetition(const std::string& name, int pilots, int tasks) {
  const std::string path = (BenchDir() / name).string();
  zazorazari::CDatabase db;
  db.Create(path, ZAZ_TEMPLATE_DIR, zazorazari::enumFileCompetition);
  Fill(path, pilots, tasks);
  return path;
}

zazorazari::DispatchPtr SilentProgress() {
  auto progress = std::make_shared<zazorazari::DispatchObject>();
  progress->OnMethod("SetInfo", [](std::span<const zazorazari::Variant>) { return zazorazari::Variant(); });
  return progress;
}

