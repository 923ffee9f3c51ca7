// The temporary-file-and-rename write (see FileReplacement.h).
#include "zazorazari/interchange/FileReplacement.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

mode_t TargetMode(const std::string& strPath) {
  struct stat info {};
  if (::stat(strPath.c_str(), &info) == 0) return info.st_mode & 07777;
  return 0644;
}

}  // namespace

void ReplaceFileWith(const std::string& strPath, const std::function<bool(FILE*)>& write) {
  namespace fs = std::filesystem;
  const fs::path target(strPath);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) throw RuntimeError(errPathFileAccess);
  FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    ::close(fd);
    ::unlink(temporary.c_str());
    throw RuntimeError(errPathFileAccess);
  }
  bool ok = write(file) && std::fflush(file) == 0 && ::fchmod(fd, TargetMode(strPath)) == 0 && ::fsync(fd) == 0;
  ok = (std::fclose(file) == 0) && ok;
  if (!ok || std::rename(temporary.c_str(), strPath.c_str()) != 0) {
    ::unlink(temporary.c_str());
    throw RuntimeError(errPathFileAccess);
  }
}

}  // namespace zazorazari::interchange
