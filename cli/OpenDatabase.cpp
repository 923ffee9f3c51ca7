// Opening a database file for a command.
#include "OpenDatabase.h"

#include <filesystem>

#include "Refusal.h"

namespace zazorazari::cli {

void RequireInputFile(const std::string& path, const std::string& what) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) throw Refusal(what + " '" + path + "' is a folder, not a file.");
  if (!std::filesystem::exists(path, error)) throw Refusal(what + " '" + path + "' does not exist.");
}

std::unique_ptr<CDatabase> OpenDatabase(const std::string& path, PresetAnswer preset) {
  auto db = std::make_unique<CDatabase>();
  db->SetUserInterface(std::make_shared<TerminalUserInterface>(preset));
  db->SetPath(path);
  db->OpenDB();
  return db;
}

}  // namespace zazorazari::cli
