// Older-layout fixture files: the template with tblTaskTurnpoint rebuilt
// without ttpCircle, as files of earlier versions have it.
#include "support/OldTemplate.h"

#include <sqlite3.h>

#include <filesystem>
#include <regex>
#include <stdexcept>
#include <utility>
#include <vector>

#include "support/TestSupport.h"

namespace zaztest {

namespace {

class RawFile {
 public:
  explicit RawFile(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      sqlite3_close(m_db);
      throw std::runtime_error("cannot open " + path);
    }
  }
  ~RawFile() { sqlite3_close(m_db); }
  RawFile(const RawFile&) = delete;
  RawFile& operator=(const RawFile&) = delete;

  void Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string message = error != nullptr ? error : "?";
      sqlite3_free(error);
      throw std::runtime_error(message + " in: " + sql);
    }
  }

  // Name and SQL of every view whose text mentions `column`.
  std::vector<std::pair<std::string, std::string>> ViewsUsing(const std::string& column) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(m_db, "SELECT name, sql FROM sqlite_master WHERE type = 'view' AND instr(sql, ?1) > 0",
                       -1, &stmt, nullptr);
    sqlite3_bind_text(stmt, 1, column.c_str(), -1, SQLITE_TRANSIENT);
    std::vector<std::pair<std::string, std::string>> views;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      views.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                         reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
    }
    sqlite3_finalize(stmt);
    return views;
  }

 private:
  sqlite3* m_db = nullptr;
};

}  // namespace

std::string MakeNineColumnTaskTurnpointFile(const std::string& dir) {
  const std::filesystem::path path = std::filesystem::path(dir) / "nine-column.mdb";
  std::filesystem::copy_file(std::filesystem::path(TemplateDir()) / "template.mdb", path,
                             std::filesystem::copy_options::overwrite_existing);
  RawFile file(path.string());
  // The views select "alias.ttpCircle," as one item of their column list.
  const std::regex circleItem(R"(\s*\w+\.ttpCircle\s*,)");
  const auto views = file.ViewsUsing("ttpCircle");
  file.Exec("BEGIN");
  for (const auto& view : views) file.Exec("DROP VIEW " + view.first);
  file.Exec("ALTER TABLE tblTaskTurnpoint DROP COLUMN ttpCircle");
  for (const auto& view : views) {
    const std::string sql = std::regex_replace(view.second, circleItem, "");
    if (sql == view.second) throw std::runtime_error("cannot drop ttpCircle from view " + view.first);
    file.Exec(sql);
  }
  file.Exec("COMMIT");
  return path.string();
}

}  // namespace zaztest
