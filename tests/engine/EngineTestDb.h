// A small database made with sqlite3 directly, in a scratch folder, opened
// through the engine: pilots with a nation view, and a table of every type.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "support/RawSqlite.h"
#include "support/TestSupport.h"
#include "zazorazari/engine/DBEngine.h"
#include "zazorazari/platform/Error.h"

namespace zaztest {

inline const char* const kEngineSchema = R"(
CREATE TABLE tblNation (natPk INTEGER PRIMARY KEY AUTOINCREMENT, natName TEXT(60) COLLATE NOCASE);
CREATE TABLE tblPilot (pilPk INTEGER PRIMARY KEY AUTOINCREMENT, pilLastName TEXT(50) COLLATE NOCASE,
  pilFirstName TEXT(30) COLLATE NOCASE, natPk INTEGER, pilBirthday DATETIME, pilActive BOOLEAN, pilScore DOUBLE);
CREATE INDEX ixPilotName ON tblPilot (pilLastName);
CREATE TABLE tblTypes (typPk INTEGER PRIMARY KEY AUTOINCREMENT, colBool BOOLEAN, colByte BYTE, colSmall SMALLINT,
  colLong INTEGER, colCur CURRENCY, colSingle SINGLE, colDouble DOUBLE, colDate DATETIME,
  colText TEXT(20) COLLATE NOCASE, colPlain TEXT, colMemo LONGTEXT COLLATE NOCASE, colNum NUMERIC);
CREATE VIEW doPilot AS SELECT p.pilPk, p.pilLastName, p.pilBirthday, n.natName
  FROM tblPilot p LEFT JOIN tblNation n ON n.natPk = p.natPk;
INSERT INTO tblNation (natName) VALUES ('Switzerland'), ('France');
INSERT INTO tblPilot (pilLastName, pilFirstName, natPk, pilBirthday, pilActive, pilScore) VALUES
  ('Meier', 'Hans', 1, 24907, -1, 10.5),
  ('O''Brien', 'Pat', 2, NULL, 0, 20),
  ('Dupont', 'Anne', 2, 25000.5, -1, NULL),
  ('Club "Les Aigles"', 'Team', NULL, NULL, 0, 5),
  ('100%_sure', 'X', 1, NULL, NULL, 1);
)";

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_path = m_dir.File("test.mdb");
    Exec(kEngineSchema);
    m_db = zazorazari::engine::DBEngine::ForThisThread().OpenDatabase(m_path);
  }

  // Runs SQL and reads a value on a connection of its own, as another program would.
  void Exec(const std::string& sql) { RawSqlite(m_path, RawSqlite::Mode::Create).Exec(sql); }
  std::string Scalar(const std::string& sql) { return RawSqlite(m_path).Scalar(sql); }

  ScratchDir m_dir;
  std::string m_path;
  std::shared_ptr<zazorazari::engine::Database> m_db;
};

// The engine error number a call fails with; 0 when it does not fail.
inline int32_t ErrorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const zazorazari::Error& error) {
    return error.Number();
  }
  return 0;
}

}  // namespace zaztest
