// The reference audit of a 2,000-pilot, 10-task competition (20,000 results,
// attribute slots, task turnpoints), next to the same checks as plain SQL
// queries on a raw SQLite connection.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "BenchFolder.h"
#include "zazorazari/database/CDatabase.h"

namespace {

constexpr int kPilots = 2000;
constexpr int kTasks = 10;

void Exec(sqlite3* db, const std::string& sql) { sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr); }

struct AuditData {
  std::string path = (BenchDir() / "audit.mdb").string();

  AuditData() {
    zazorazari::CDatabase maker;
    maker.Create(path, ZAZ_TEMPLATE_DIR, zazorazari::enumFileCompetition);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    Exec(db, "BEGIN; INSERT INTO tblAttribute VALUES (1, 'Club'); UPDATE tblCompetition SET attPk1 = 1;");
    for (int v = 1; v <= 5; ++v) Exec(db, "INSERT INTO tblAttributeValue VALUES (" + std::to_string(v) + ", 1, 'C" + std::to_string(v) + "')");
    for (int t = 1; t <= kTasks; ++t) {
      Exec(db, "INSERT INTO tblTask (tasPk, tasName) VALUES (" + std::to_string(t) + ", 'T')");
      for (int n = 1; n <= 10; ++n) {
        Exec(db, "INSERT INTO tblTurnpoint (trnName, geoPk, oriPk) VALUES ('P', 243, 1)");
        Exec(db, "INSERT INTO tblTaskTurnpoint (tasPk, trnPk, ttpNr) VALUES (" + std::to_string(t) + ", last_insert_rowid(), " +
                     std::to_string(n) + ")");
      }
    }
    for (int p = 1; p <= kPilots; ++p) {
      const std::string key = std::to_string(p);
      const std::string value = std::to_string(p % 5 + 1);
      Exec(db, "INSERT INTO tblPilot (pilPk, pilFirstName, pilLastName, pilNumber, pilIDGlobal, oriPk, avaPk1) VALUES (" +
                   key + ", 'F', 'L" + key + "', " + key + ", 'ID" + key + "', 1, " + value + ")");
      Exec(db, "INSERT INTO tblPilotAttribute (pilPk, avaPk) VALUES (" + key + ", " + value + ")");
      for (int t = 1; t <= kTasks; ++t) {
        Exec(db, "INSERT INTO tblResult (pilPk, tasPk) VALUES (" + key + ", " + std::to_string(t) + ")");
      }
    }
    Exec(db, "COMMIT");
    sqlite3_close(db);
  }
  ~AuditData() { std::filesystem::remove(path); }
};

AuditData& Data() {
  static AuditData data;
  return data;
}

void BM_AuditReferences(benchmark::State& state) {
  zazorazari::CDatabase db;
  db.SetPath(Data().path);
  db.OpenDB();
  for (auto _ : state) {
    const auto findings = db.AuditReferences();
    if (!findings.empty()) state.SkipWithError("the file is not clean");
  }
  db.CloseDB();
}
BENCHMARK(BM_AuditReferences)->Unit(benchmark::kMillisecond);

// The reference: one anti-join per relation, the duplicate and slot checks
// and the pilot-by-task result count, each a single query.
void BM_RawSqlAudit(benchmark::State& state) {
  const char* const relations[][4] = {
      {"tblAttributeValue", "attPk", "tblAttribute", "attPk"}, {"tblCompetition", "attPk1", "tblAttribute", "attPk"},
      {"tblCompetition", "attPk2", "tblAttribute", "attPk"},   {"tblCompetition", "attPk3", "tblAttribute", "attPk"},
      {"tblCompetition", "attPk4", "tblAttribute", "attPk"},   {"tblPilot", "gliPk", "tblGlider", "gliPk"},
      {"tblPilot", "oriPk", "tblOrigin", "oriPk"},             {"tblPilot", "avaPk1", "tblAttributeValue", "avaPk"},
      {"tblPilot", "avaPk2", "tblAttributeValue", "avaPk"},    {"tblPilot", "avaPk3", "tblAttributeValue", "avaPk"},
      {"tblPilot", "avaPk4", "tblAttributeValue", "avaPk"},    {"tblPilotAttribute", "pilPk", "tblPilot", "pilPk"},
      {"tblPilotAttribute", "avaPk", "tblAttributeValue", "avaPk"}, {"tblOrigin", "natPk", "tblNation", "natPk"},
      {"tblTurnpoint", "geoPk", "tblGeoDate", "gedPk"},        {"tblTurnpoint", "oriPk", "tblOrigin", "oriPk"},
      {"tblGlider", "manPk", "tblManufacturer", "manPk"},      {"tblResult", "pilPk", "tblPilot", "pilPk"},
      {"tblResult", "tasPk", "tblTask", "tasPk"},              {"tblResult", "geoPk", "tblGeoDate", "gedPk"},
      {"tblTaskTurnpoint", "tasPk", "tblTask", "tasPk"},       {"tblTaskTurnpoint", "trnPk", "tblTurnpoint", "trnPk"},
      {"tblFormulaTask", "tasPk", "tblTask", "tasPk"}};
  std::string sql;
  for (const auto& r : relations) {
    sql += std::string("SELECT count(*) FROM ") + r[0] + " AS a LEFT JOIN " + r[2] + " AS b ON a." + r[1] + " = b." +
           r[3] + " WHERE a." + r[1] + " <> 0 AND b." + r[3] + " IS NULL;";
  }
  sql +=
      "SELECT count(*) FROM (SELECT pilNumber FROM tblPilot WHERE pilNumber IS NOT NULL GROUP BY pilNumber HAVING count(*) > 1);"
      "SELECT count(*) FROM (SELECT pilIDGlobal FROM tblPilot WHERE pilIDGlobal <> '' GROUP BY pilIDGlobal HAVING count(*) > 1);"
      "SELECT count(*) FROM tblPilot AS p JOIN tblCompetition AS c LEFT JOIN tblPilotAttribute AS pa ON pa.pilPk = p.pilPk"
      " AND pa.avaPk IN (SELECT avaPk FROM tblAttributeValue WHERE attPk = c.attPk1) WHERE p.avaPk1 IS NOT pa.avaPk;"
      "SELECT count(*) FROM tblPilot CROSS JOIN tblTask LEFT JOIN tblResult AS r ON r.pilPk = tblPilot.pilPk"
      " AND r.tasPk = tblTask.tasPk GROUP BY tblPilot.pilPk, tblTask.tasPk HAVING count(r.resPk) <> 1;";
  sqlite3* db = nullptr;
  sqlite3_open(Data().path.c_str(), &db);
  for (auto _ : state) {
    Exec(db, "BEGIN");
    Exec(db, sql);
    Exec(db, "COMMIT");
  }
  sqlite3_close(db);
}
BENCHMARK(BM_RawSqlAudit)->Unit(benchmark::kMillisecond);

}  // namespace
