// One scratch folder per benchmark run (see BenchFolder.h).
#include "BenchFolder.h"

#include <unistd.h>

#include <string>
#include <system_error>

namespace {

struct ScratchFolder {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("zaz-bench-" + std::to_string(::getpid()));
  ScratchFolder() { std::filesystem::create_directories(path); }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

}  // namespace

const std::filesystem::path& BenchDir() {
  static const ScratchFolder folder;
  return folder.path;
}
