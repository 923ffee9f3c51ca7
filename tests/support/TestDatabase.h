// A competition or catalogue file made from the built template in a scratch
// folder, opened through the facade.
#pragma once

#include <string>

#include "support/TestSupport.h"
#include "zazorazari/database/CDatabase.h"

namespace zaztest {

class TestDatabase {
 public:
  explicit TestDatabase(zazorazari::enumFileType type = zazorazari::enumFileCompetition);

  zazorazari::CDatabase& Db() { return m_db; }
  const std::string& FilePath() const { return m_path; }
  const ScratchDir& Dir() const { return m_dir; }

  // Runs one SQL statement on the file with the sqlite3 library (outside the
  // facade), for setting up rows and checking what the facade wrote.
  void Sql(const std::string& sql) const;
  // The first column of the first row of a query, as text ("" for none/NULL).
  std::string Scalar(const std::string& sql) const;
  long long Count(const std::string& table, const std::string& where = "") const;

 private:
  ScratchDir m_dir;
  std::string m_path;
  zazorazari::CDatabase m_db;
};

}  // namespace zaztest
