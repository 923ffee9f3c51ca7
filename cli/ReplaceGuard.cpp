// The --force rule of the commands that write a whole file.
#include "ReplaceGuard.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace zazorazari::cli {

void AddForceFlag(CLI::App* command, bool& force, const std::string& what) {
  command->add_flag("--force", force, "Replace an existing " + what);
}

void RefuseToReplace(const std::string& path, bool force) {
  std::error_code ec;
  if (!force && std::filesystem::exists(std::filesystem::symlink_status(path, ec))) {
    throw std::runtime_error("'" + path + "' exists; add --force to replace it");
  }
}

}  // namespace zazorazari::cli
