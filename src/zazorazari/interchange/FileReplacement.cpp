// The temporary-file-and-rename write (see FileReplacement.h).
#include "zazorazari/interchange/FileReplacement.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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
  // 75 with what the system said, so that a full disk reads as one.
  const auto fail = [&strPath](int error) {
    return Error(errPathFileAccess, kRuntimeSource,
                 ErrorDescription(errPathFileAccess) + " (cannot write '" + strPath + "': " + std::strerror(error) + ")");
  };
  const fs::path target(strPath);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) throw fail(errno);
  FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    const int error = errno;
    ::close(fd);
    ::unlink(temporary.c_str());
    throw fail(error);
  }
  errno = 0;
  bool ok = write(file) && std::fflush(file) == 0 && ::fchmod(fd, TargetMode(strPath)) == 0 && ::fsync(fd) == 0;
  int error = errno;
  ok = (std::fclose(file) == 0) && ok;
  if (error == 0) error = errno;
  if (ok && std::rename(temporary.c_str(), strPath.c_str()) == 0) return;
  if (error == 0) error = errno;
  ::unlink(temporary.c_str());
  throw fail(error == 0 ? EIO : error);
}

}  // namespace zazorazari::interchange
