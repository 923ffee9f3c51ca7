// Crash safety: a child process runs imports and rule writes on a file and
// is killed (SIGKILL) at random moments. Every time, the file must be sound
// and hold exactly the state before or after one whole public operation.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "reliability/ReliabilitySupport.h"
#include "reliability/Workload.h"
#include "support/TestSupport.h"

using namespace zazorazari;
using namespace zaztest;
namespace fs = std::filesystem;

namespace {

constexpr int kKills = 24;

std::string FreshFile(const ScratchDir& dir, const std::string& name) {
  CDatabase maker;
  maker.Create(dir.File(name), TemplateDir(), enumFileCompetition);
  return dir.File(name);
}

}  // namespace

TEST(KillDuringImport, FileHoldsAWholeOperationStateAfterEveryKill) {
  ScratchDir dir;
  const WorkloadFiles files = WriteWorkloadFiles(dir.Path().string(), 150, 3);
  const std::string pristine = FreshFile(dir, "pristine.mdb");

  // The reference run: every state the file may be found in, and how long
  // the whole sequence takes.
  const std::string reference = dir.File("reference.mdb");
  fs::copy_file(pristine, reference);
  std::vector<std::string> states{DumpDatabase(reference)};
  const auto start = std::chrono::steady_clock::now();
  {
    CDatabase db;
    db.SetPath(reference);
    db.OpenDB();
    RunWorkload(db, files, [&] { states.push_back(DumpDatabase(reference)); });
    db.CloseDB();
  }
  // The dumps taken above cost time the child does not spend.
  const auto total = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(states.size(), 7u);

  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> delayUs(0, std::chrono::duration_cast<std::chrono::microseconds>(total).count());
  std::map<size_t, int> landed;  // state index -> kills that left it
  for (int kill = 0; kill < kKills; ++kill) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", kill " + std::to_string(kill));
    const std::string file = dir.File("victim.mdb");
    fs::remove(file);
    fs::remove(file + "-journal");
    fs::copy_file(pristine, file);
    const auto delay = std::chrono::microseconds(delayUs(random));
    {
      ChildProcess child([&](int) {
        CDatabase db;
        db.SetPath(file);
        db.OpenDB();
        RunWorkload(db, files, [] {});
        return 0;
      });
      std::this_thread::sleep_for(delay);
      child.Kill();
      child.Wait();
    }
    // The next user opens the file through the facade (rolling back what
    // the killed process left half done) and finds a whole state.
    {
      CDatabase db;
      db.SetPath(file);
      ASSERT_NO_THROW(db.OpenDB());
      db.CloseDB();
    }
    ASSERT_EQ(IntegrityCheck(file), "ok");
    const std::string found = DumpDatabase(file);
    const auto match = std::find(states.begin(), states.end(), found);
    ASSERT_NE(match, states.end()) << "killed after " << delay.count() << " us: a state between operations";
    ++landed[static_cast<size_t>(match - states.begin())];

  }
  // Some kills must have come before the end, or nothing was tested.
  EXPECT_LT(landed[states.size() - 1], kKills);
}
