// The temporary-file-and-rename replacement (see FileReplacement.h).
#include "zazorazari/platform/FileReplacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::files {

namespace fs = std::filesystem;

namespace {

// Marks our temporaries: "." + the target's name + this + 6 random letters.
constexpr const char* kTemporaryMark = ".zaz~";
constexpr size_t kRandomLength = 6;
// The engine puts its journal beside a database file under this suffix;
// a temporary database must leave room for it in the name.
constexpr const char* kJournalSuffix = "-journal";

Error SystemError(const std::string& path, const std::string& what) {
  const int code = errno;
  std::string reason = what + ": " + std::strerror(code);
  if (code == ENOSPC || code == EDQUOT || code == EFBIG) reason += " (the disk is full: make room and try again)";
  return FileError(path, reason);
}

fs::path FolderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

// The file a chain of symbolic links leads to (the path itself when it is none).
fs::path FollowLinks(fs::path path) {
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) break;
    path = next.is_absolute() ? next : FolderOf(path) / next;
  }
  return path;
}

// "." + the target's name, cut so that the whole temporary name and its
// journal stay within the folder's name limit.
std::string TemporaryStem(const fs::path& target) {
  long limit = ::pathconf(FolderOf(target).c_str(), _PC_NAME_MAX);
  if (limit <= 0) limit = 255;
  const size_t room =
      static_cast<size_t>(limit) - 1 - std::strlen(kTemporaryMark) - kRandomLength - std::strlen(kJournalSuffix);
  std::string name = target.filename().string();
  if (name.size() > room) {
    name.resize(room);
    while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) name.pop_back();
    if (!name.empty() && (static_cast<unsigned char>(name.back()) & 0x80) != 0) name.pop_back();
  }
  return "." + name + kTemporaryMark;
}

void RemoveWithJournal(const std::string& path) {
  ::unlink(path.c_str());
  ::unlink((path + kJournalSuffix).c_str());
}

// Temporaries of this target that no live process holds (a writer keeps
// its temporary locked until the rename) are leftovers of a killed run.
void RemoveLeftovers(const fs::path& target, const std::string& stem) {
  DIR* folder = ::opendir(FolderOf(target).c_str());
  if (folder == nullptr) return;
  while (const dirent* entry = ::readdir(folder)) {
    std::string name = entry->d_name;
    if (name.compare(0, stem.size(), stem) != 0) continue;
    if (name.size() > stem.size() + kRandomLength && name.substr(stem.size() + kRandomLength) == kJournalSuffix) {
      name.resize(stem.size() + kRandomLength);
    }
    if (name.size() != stem.size() + kRandomLength) continue;
    const std::string path = (FolderOf(target) / name).string();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      continue;
    }
    RemoveWithJournal(path);
    if (fd >= 0) ::close(fd);
  }
  ::closedir(folder);
}

void SyncFolder(const fs::path& file) {
  const int fd = ::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  const int rc = ::fsync(fd);
  const int code = errno;
  ::close(fd);
  // Some file systems cannot sync a folder; the rename itself stands.
  if (rc != 0 && code != EINVAL) {
    errno = code;
    throw SystemError(file.string(), "cannot be saved");
  }
}

bool IsDatabaseFile(const fs::path& path) {
  static constexpr char kHeader[] = "SQLite format 3";
  char head[sizeof kHeader] = {};
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  const size_t n = std::fread(head, 1, sizeof head, file);
  std::fclose(file);
  return n == sizeof head && std::memcmp(head, kHeader, sizeof kHeader) == 0;
}

// Where the new file goes, after the refusals: the target or, through
// links, the file it leads to. `mode` receives the existing file's mode.
fs::path CheckedTarget(const std::string& target, const ReplaceOptions& options, bool& exists, mode_t& mode) {
  const fs::path place = options.followLink ? FollowLinks(target) : fs::path(target);
  struct stat info {};
  exists = ::lstat(place.c_str(), &info) == 0;
  if (!exists) return place;
  if (options.mustBeNew) throw EngineError(errEngineDatabaseExists, "Engine.Database");
  if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
    throw FileError(target, "is not a regular file (a folder, device or pipe); nothing was written: choose a file name");
  }
  if (options.refuseDatabase && IsDatabaseFile(place)) {
    throw FileError(target, "is a database file and is never overwritten by an export; nothing was written: "
                            "choose another file name");
  }
  mode = info.st_mode & 07777;
  return place;
}

std::string RandomLetters() {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  std::string letters(kRandomLength, ' ');
  for (char& c : letters) c = kLetters[pick(random)];
  return letters;
}

// One temporary file beside the target, created empty with the umask's
// mode and locked so that no other run takes it for a leftover.
class Temporary {
 public:
  Temporary(const fs::path& target, const std::string& stem) {
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
      m_path = (FolderOf(target) / (stem + RandomLetters())).string();
      m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (m_fd < 0 && errno != EEXIST) throw SystemError(target.string(), "cannot be written");
    }
    if (m_fd < 0) throw SystemError(target.string(), "cannot be written");
    struct stat info {};
    ::fstat(m_fd, &info);
    m_umaskMode = info.st_mode & 07777;
    ::flock(m_fd, LOCK_EX);
  }
  ~Temporary() {
    if (!m_placed) RemoveWithJournal(m_path);
    ::close(m_fd);
  }
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;

  const std::string& Path() const { return m_path; }
  int Descriptor() const { return m_fd; }

  // Syncs the finished content and renames it over `place`.
  void Place(const fs::path& place, const std::string& target, const ReplaceOptions& options, bool keepMode,
             mode_t mode) {
    if (::fchmod(m_fd, keepMode ? mode : m_umaskMode) != 0 || ::fsync(m_fd) != 0) {
      throw SystemError(target, "cannot be saved");
    }
    if (options.mustBeNew) {
      if (::renameat2(AT_FDCWD, m_path.c_str(), AT_FDCWD, place.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno == EEXIST) throw EngineError(errEngineDatabaseExists, "Engine.Database");
        throw SystemError(target, "cannot be saved");
      }
    } else if (std::rename(m_path.c_str(), place.c_str()) != 0) {
      throw SystemError(target, "cannot be saved");
    }
    m_placed = true;
    SyncFolder(place);
  }

 private:
  std::string m_path;
  int m_fd = -1;
  mode_t m_umaskMode = 0600;
  bool m_placed = false;
};

// Writes the temporary's whole content through `write`.
void ReplaceContent(const std::string& temporary, const std::string& target, const std::function<bool(FILE*)>& write) {
  // Closed also when write throws.
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(temporary.c_str(), "wb"), &std::fclose);
  if (!file) throw SystemError(target, "cannot be written");
  errno = 0;
  bool ok = write(file.get()) && std::fflush(file.get()) == 0;
  const int code = errno;
  ok = std::fclose(file.release()) == 0 && ok;
  if (!ok) {
    if (errno == 0) errno = code != 0 ? code : EIO;
    throw SystemError(target, "cannot be written");
  }
}

}  // namespace

Error FileError(const std::string& path, const std::string& reason) {
  return Error(errPathFileAccess, kRuntimeSource, ErrorDescription(errPathFileAccess) + ": '" + path + "' " + reason);
}

void ReplaceFile(const std::string& target, const ReplaceOptions& options,
                 const std::function<void(const std::string& temporary)>& build) {
  bool exists = false;
  mode_t mode = 0;
  const fs::path place = CheckedTarget(target, options, exists, mode);
  const std::string stem = TemporaryStem(place);
  RemoveLeftovers(place, stem);
  Temporary temporary(place, stem);
  build(temporary.Path());
  temporary.Place(place, target, options, options.keepMode && exists, mode);
}

void ReplaceFileWith(const std::string& target, const ReplaceOptions& options,
                     const std::function<bool(FILE*)>& write) {
  ReplaceFile(target, options, [&](const std::string& temporary) { ReplaceContent(temporary, target, write); });
}

void CopyInto(const std::string& from, const std::string& temporary, const std::string& target) {
  FILE* source = std::fopen(from.c_str(), "rb");
  if (source == nullptr) throw SystemError(from, "cannot be read");
  bool readFailed = false;
  try {
    ReplaceContent(temporary, target, [&](FILE* file) {
      char buffer[65536];
      size_t n = 0;
      while ((n = std::fread(buffer, 1, sizeof buffer, source)) > 0) {
        if (std::fwrite(buffer, 1, n, file) != n) return false;
      }
      readFailed = std::ferror(source) != 0;
      return !readFailed;
    });
  } catch (...) {
    std::fclose(source);
    if (readFailed) throw SystemError(from, "cannot be read");
    throw;
  }
  std::fclose(source);
}

void MoveFileOver(const std::string& from, const std::string& target, const ReplaceOptions& options) {
  bool exists = false;
  mode_t mode = 0;
  const fs::path place = CheckedTarget(target, options, exists, mode);
  const int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw SystemError(from, "cannot be read");
  const bool synced = (!(options.keepMode && exists) || ::fchmod(fd, mode) == 0) && ::fsync(fd) == 0;
  ::close(fd);
  if (!synced) throw SystemError(from, "cannot be saved");
  if (std::rename(from.c_str(), place.c_str()) == 0) {
    SyncFolder(place);
    SyncFolder(from);
    return;
  }
  if (errno != EXDEV) throw SystemError(target, "cannot be replaced");
  ReplaceFile(target, options, [&](const std::string& temporary) { CopyInto(from, temporary, target); });
  ::unlink(from.c_str());
  SyncFolder(from);
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

}  // namespace zazorazari::files
