// A full disk, simulated with a small memory file system in a child
// process: the operations that write a whole file (exports included) leave
// the old one and report the failure.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <filesystem>
#include <fstream>

#include "reliability/FileOperations.h"

using namespace zazorazari;
using namespace zaztest;
namespace fs = std::filesystem;

namespace {

// Gives this process mount points of its own (as root, or as root of a new
// user namespace); false where the system allows neither.
bool OwnMountNamespace() {
  const uid_t uid = ::geteuid();
  const gid_t gid = ::getegid();
  if (uid == 0) {
    if (::unshare(CLONE_NEWNS) != 0) return false;
  } else {
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    std::ofstream("/proc/self/setgroups") << "deny";
    std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
    std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
  }
  return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// A disk of `bytes` at `disk` holding the source files and the operation's
// old state; false when they do not fit.
bool LayOut(const FileOperation& operation, const std::string& sources, const std::string& disk, size_t bytes) {
  if (::mount("zaztest", disk.c_str(), "tmpfs", 0, ("size=" + std::to_string(bytes)).c_str()) != 0) return false;
  std::error_code ec;
  for (const char* name : {"source.mdb", "catalog.mdb"}) fs::copy_file(InFolder(sources, name), InFolder(disk, name), ec);
  if (ec) return false;
  try {
    operation.prepare(disk);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

size_t UsedBytes(const std::string& disk) {
  struct statvfs info {};
  ::statvfs(disk.c_str(), &info);
  return (info.f_blocks - info.f_bfree) * info.f_frsize;
}

// Sweeps the free space of the disk from less than the operation needs to
// enough; what went wrong, "" when nothing did.
std::string SweepFreeSpace(const FileOperation& operation, const std::string& sources, const std::string& disk) {
  constexpr size_t kRoom = 8 << 20;
  constexpr size_t kStep = 8192;
  if (!LayOut(operation, sources, disk, kRoom)) return "cannot lay out the files";
  const std::string before = operation.state(disk);
  const size_t used = UsedBytes(disk);
  RunFileOperation(operation, disk);
  const std::string after = operation.state(disk);
  ::umount(disk.c_str());
  std::string problems;
  for (size_t bytes = used; bytes < kRoom; bytes += kStep) {
    const bool laidOut = LayOut(operation, sources, disk, bytes);
    bool done = false;
    if (laidOut) {
      const std::string at = std::string(operation.name) + " with " + std::to_string(bytes) + " bytes: ";
      try {
        RunFileOperation(operation, disk);
        done = true;
      } catch (const Error& e) {
        if (!CarriesEngineError(e, 3035) && e.Description().find("disk is full") == std::string::npos) {
          problems += at + "unclear error " + e.Description() + "\n";
        }
      }
      const std::string found = operation.state(disk);
      if (found != before && found != after) problems += at + "the target holds " + found + "\n";
      if (!Leftovers(disk).empty()) problems += at + "left " + Leftovers(disk) + "\n";
    }
    ::umount(disk.c_str());
    if (done) return problems;
  }
  return problems + operation.name + " never succeeded\n";
}

}  // namespace

TEST(DiskFull, FileOperationsLeaveTheOldFileAndReportTheFullDisk) {
  ScratchDir dir;
  const std::string sources = dir.Path().string();
  MakeSourceFiles(sources);
  const std::string disk = dir.File("disk");
  fs::create_directory(disk);
  ChildProcess child([&](int report) {
    if (!OwnMountNamespace()) return 77;
    for (const FileOperation& operation : FileOperations()) {
      if (std::string(operation.name) != "Rename") ChildProcess::Write(report, SweepFreeSpace(operation, sources, disk));
    }
    return 0;
  });
  const std::string problems = child.Report();
  if (child.ExitCode() == 77) GTEST_SKIP() << "no mount namespace for a small file system here";
  EXPECT_EQ(child.ExitCode(), 0) << "wait status " << child.Wait();
  EXPECT_EQ(problems, "");
}
