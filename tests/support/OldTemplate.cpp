// Older-layout fixture files: the template with tblTaskTurnpoint rebuilt
// without ttpCircle, as files of earlier versions have it.
#include "support/OldTemplate.h"

#include <filesystem>
#include <regex>
#include <stdexcept>
#include <utility>
#include <vector>

#include "support/RawSqlite.h"
#include "support/TestSupport.h"

namespace zaztest {


std::string MakeNineColumnTaskTurnpointFile(const std::string& dir) {
  const std::filesystem::path path = std::filesystem::path(dir) / "nine-column.mdb";
  std::filesystem::copy_file(std::filesystem::path(TemplateDir()) / "template.mdb", path,
                             std::filesystem::copy_options::overwrite_existing);
  RawSqlite file(path.string());
  // The views select "alias.ttpCircle," as one item of their column list.
  const std::regex circleItem(R"(\s*\w+\.ttpCircle\s*,)");
  const auto views = file.Rows("SELECT name, sql FROM sqlite_master WHERE type = 'view' AND instr(sql, 'ttpCircle') > 0");
  file.Exec("BEGIN");
  for (const auto& view : views) file.Exec("DROP VIEW " + view[0]);
  file.Exec("ALTER TABLE tblTaskTurnpoint DROP COLUMN ttpCircle");
  for (const auto& view : views) {
    const std::string sql = std::regex_replace(view[1], circleItem, "");
    if (sql == view[1]) throw std::runtime_error("cannot drop ttpCircle from view " + view[0]);
    file.Exec(sql);
  }
  file.Exec("COMMIT");
  return path.string();
}

}  // namespace zaztest
