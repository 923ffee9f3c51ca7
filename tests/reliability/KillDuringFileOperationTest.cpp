// Crash safety of the operations that write a whole file (create, compact,
// rename, every export): a child process runs one and is killed (SIGKILL)
// at a random moment, 100 times per operation. After every kill the folder
// shows the state before or after the whole operation, and the next run
// leaves no temporary file or journal behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <thread>

#include "reliability/FileOperations.h"

using namespace zazorazari;
using namespace zaztest;
namespace fs = std::filesystem;

namespace {

constexpr int kKills = 100;

// A kill needs no durability, so a memory file system keeps the runs short.
fs::path FastFolder() { return fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path(); }

class KillDuringFileOperation : public testing::TestWithParam<FileOperation> {
 protected:
  void SetUp() override { MakeSourceFiles(folder); }

  // A child that runs the operation once; it writes one byte when the
  // operation itself starts.
  std::unique_ptr<ChildProcess> Start() {
    const FileOperation& operation = GetParam();
    return std::make_unique<ChildProcess>([&](int report) {
      CDatabase db;
      if (operation.opensSource) {
        db.SetPath(InFolder(folder, "source.mdb"));
        db.OpenDB();
      }
      ChildProcess::Write(report, "!");
      operation.run(db, folder);
      return 0;
    });
  }

  ScratchDir dir{FastFolder()};
  std::string folder = dir.Path().string();
};

TEST_P(KillDuringFileOperation, LeavesTheOldOrTheNewStateAndNoTemporary) {
  const FileOperation& operation = GetParam();
  operation.prepare(folder);
  const std::string before = operation.state(folder);
  // Uninterrupted runs: the state after one, and how long one takes.
  std::chrono::steady_clock::duration duration{};
  for (int i = 0; i < 3; ++i) {
    operation.prepare(folder);
    auto child = Start();
    ASSERT_TRUE(child->AwaitSignal());
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(child->ExitCode(), 0) << child->Report();
    duration += std::chrono::steady_clock::now() - start;
  }
  const std::string after = operation.state(folder);
  ASSERT_NE(before, after);
  // The moment of each kill falls anywhere in a window as long as one run;
  // a busy machine stretches runs unevenly, so the window shrinks after a
  // run that ended before its kill and grows after a kill.
  double window = static_cast<double>(std::chrono::duration_cast<std::chrono::microseconds>(duration / 3).count());

  std::mt19937 random(20260101);
  int kills = 0;
  for (int attempt = 0; kills < kKills && attempt < 10 * kKills; ++attempt) {
    operation.prepare(folder);
    {
      auto child = Start();
      ASSERT_TRUE(child->AwaitSignal());
      std::this_thread::sleep_for(std::chrono::microseconds(
          std::uniform_int_distribution<long>(0, static_cast<long>(window))(random)));
      child->Kill();
      const bool killed = WIFSIGNALED(child->Wait());
      kills += killed ? 1 : 0;
      window *= killed ? 1.05 : 0.7;
    }
    const std::string found = operation.state(folder);
    ASSERT_TRUE(found == before || found == after) << "after kill " << kills << ": " << found;
    // A compacted copy that the kill caught before its final rename is
    // complete; the next compact refuses it (3204) until someone removes it.
    const std::string compressed = InFolder(folder, "target_compressed");
    if (fs::exists(compressed)) {
      fs::rename(compressed, InFolder(folder, "target"));
      ASSERT_EQ(operation.state(folder), after);
    }
    if (found == before) {
      RunFileOperation(operation, folder);
      ASSERT_EQ(operation.state(folder), after);
    }
    ASSERT_EQ(Leftovers(folder), "") << "after kill " << kills;
  }
  EXPECT_EQ(kills, kKills);
}

INSTANTIATE_TEST_SUITE_P(EveryFileOperation, KillDuringFileOperation, testing::ValuesIn(FileOperations()),
                         [](const testing::TestParamInfo<FileOperation>& info) { return std::string(info.param.name); });

}  // namespace
