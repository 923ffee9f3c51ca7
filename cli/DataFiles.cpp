// Lookup of the template folder and the example files.
#include "DataFiles.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace zazorazari::cli {

namespace fs = std::filesystem;

namespace {

fs::path InstalledShareDir() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.parent_path().parent_path() / "share" / "zazorazari";
}

std::string FirstExisting(const std::vector<fs::path>& candidates) {
  std::error_code ec;
  for (const auto& candidate : candidates) {
    if (fs::is_regular_file(candidate, ec)) return candidate.string();
  }
  return candidates.back().string();
}

}  // namespace

std::string DefaultTemplateDir() {
  const fs::path found = FirstExisting({InstalledShareDir() / "template.mdb",
                                        fs::path(ZAZ_BUILD_TEMPLATE_DIR) / "template.mdb",
                                        fs::path(ZAZ_INSTALLED_DATA_DIR) / "template.mdb"});
  return found.parent_path().string();
}

std::string ExampleFile(const std::string& name) {
  return FirstExisting({InstalledShareDir() / "examples" / name, fs::path(ZAZ_SOURCE_EXAMPLES_DIR) / name,
                        fs::path(ZAZ_INSTALLED_DATA_DIR) / "examples" / name});
}

}  // namespace zazorazari::cli
