// Test databases from the built template, and raw SQL access to them.
#include "support/TestDatabase.h"

#include "support/RawSqlite.h"

namespace zaztest {

TestDatabase::TestDatabase(zazorazari::enumFileType type) : m_path(m_dir.File("test.mdb")) {
  m_db.Create(m_path, TemplateDir(), type);
  m_db.SetPath(m_path);
  m_db.OpenDB();
}

void TestDatabase::Sql(const std::string& sql) const { RawSqlite(m_path).Exec(sql); }

std::string TestDatabase::Scalar(const std::string& sql) const { return RawSqlite(m_path).Scalar(sql); }

long long TestDatabase::Count(const std::string& table, const std::string& where) const {
  return std::stoll(Scalar("SELECT COUNT(*) FROM " + table + (where.empty() ? "" : " WHERE " + where)));
}

}  // namespace zaztest
