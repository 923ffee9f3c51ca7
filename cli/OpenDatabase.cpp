// Opening a database file for a command.
#include "OpenDatabase.h"

namespace zazorazari::cli {

std::unique_ptr<CDatabase> OpenDatabase(const std::string& path, PresetAnswer preset) {
  auto db = std::make_unique<CDatabase>();
  db->SetUserInterface(std::make_shared<TerminalUserInterface>(preset));
  db->SetPath(path);
  db->OpenDB();
  return db;
}

}  // namespace zazorazari::cli
