// Two processes on one file: writes of both arrive whole, neither loses the
// other's update of one record, a writer that cannot get the file in time
// fails with the engine's "locked" error naming the file, and files or
// folders that cannot be written refuse to open.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <thread>

#include "cli/CliRunner.h"
#include "reliability/ReliabilitySupport.h"
#include "rules/RuleTestHelpers.h"

using namespace zazorazari;
using namespace zaztest;
namespace fs = std::filesystem;

namespace {

constexpr int kPilotsEach = 40;

// Adds pilots "<prefix>1" ... and answers with the keys it got.
std::string AddPilots(const std::string& file, const std::string& prefix) {
  CDatabase db;
  db.SetPath(file);
  db.OpenDB();
  std::string keys;
  for (int i = 1; i <= kPilotsEach; ++i) {
    keys += std::to_string(AddPilot(db, prefix + std::to_string(i), "Pat")) + " ";
  }
  db.CloseDB();
  return keys;
}

std::set<int> Keys(const std::string& text) {
  std::set<int> keys;
  std::istringstream in(text);
  for (int key = 0; in >> key;) keys.insert(key);
  return keys;
}

}  // namespace

TEST(ConcurrentUse, TwoWritingProcessesLoseNothing) {
  TestDatabase t;
  AddTask(t.Db(), "Task 1");
  AddTask(t.Db(), "Task 2");
  t.Db().CloseDB();

  ChildProcess child([&](int report) {
    ChildProcess::Write(report, AddPilots(t.FilePath(), "Child"));
    return 0;
  });
  const std::set<int> mine = Keys(AddPilots(t.FilePath(), "Parent"));
  const std::set<int> theirs = Keys(child.Report());
  ASSERT_EQ(child.ExitCode(), 0);

  EXPECT_EQ(IntegrityCheck(t.FilePath()), "ok");
  // Every key each side was given holds its pilot, and no key twice.
  std::set<int> all = mine;
  all.insert(theirs.begin(), theirs.end());
  EXPECT_EQ(all.size(), 2u * kPilotsEach);
  EXPECT_EQ(t.Count("tblPilot"), 2 * kPilotsEach);
  for (int key : all) EXPECT_EQ(t.Count("tblPilot", "pilPk = " + std::to_string(key)), 1) << key;
  ExpectOneResultPerPilotAndTask(t);
}

TEST(ConcurrentUse, WriterGivesUpOnALockedFileWithTheEngineError) {
  TestDatabase t;
  int finish[2];
  ASSERT_EQ(::pipe(finish), 0);
  // Another program holds the file exclusively, with a write of its own
  // under way, until the parent tells it to commit.
  ChildProcess holder([&](int report) {
    RawSqlite db(t.FilePath());
    db.Exec("BEGIN EXCLUSIVE; INSERT INTO tblPilot (pilPk, pilLastName) VALUES (500, 'Holder');");
    ChildProcess::Write(report, "L");
    char go = 0;
    if (::read(finish[0], &go, 1) != 1) return 1;
    db.Exec("COMMIT");
    return 0;
  });
  ASSERT_TRUE(holder.AwaitSignal());

  const Error error = Caught([&] { AddPilot(t.Db(), "Blocked", "Bea"); });
  EXPECT_TRUE(CarriesEngineError(error, 3051)) << error.Number() << " " << error.Description();
  EXPECT_NE(error.Description().find(t.FilePath()), std::string::npos) << error.Description();

  ASSERT_EQ(::write(finish[1], "x", 1), 1);
  EXPECT_EQ(holder.ExitCode(), 0);
  ::close(finish[0]);
  ::close(finish[1]);
  // The holder's write stands; the refused one left nothing; the file is
  // usable again.
  EXPECT_EQ(IntegrityCheck(t.FilePath()), "ok");
  EXPECT_EQ(t.Scalar("SELECT pilLastName FROM tblPilot WHERE pilPk = 500"), "Holder");
  EXPECT_EQ(t.Count("tblPilot"), 1);
  EXPECT_GT(AddPilot(t.Db(), "Blocked", "Bea"), 500);
}

// Two processes changing different fields of one record at the same moment,
// each reading the whole record and writing it back: both changes stay.
TEST(ConcurrentUse, TwoUpdatesOfOneRecordBothStay) {
  TestDatabase t;
  AddPilot(t.Db(), "Meier", "Hans");
  t.Db().CloseDB();
  const std::string update = "'" + std::string(ZAZ_CLI_PATH) + "' update '" + t.FilePath() + "' doPilot 1 ";
  for (int round = 1; round <= 20; ++round) {
    const std::string n = std::to_string(round);
    const int status = RunShell("(" + update + "pilSponsor=S" + n + " >/dev/null & p=$!; " + update +
                                "pilComment=C" + n + " >/dev/null; s=$?; wait $p && exit $s)");
    ASSERT_EQ(status, 0) << "round " << n;
    ASSERT_EQ(t.Scalar("SELECT pilSponsor || ' ' || pilComment FROM tblPilot"), "S" + n + " C" + n) << "round " << n;
  }
}

TEST(ConcurrentUse, OpenWaitsForAProgramHoldingTheFileInWriteAheadLogMode) {
  TestDatabase t;
  t.Db().CloseDB();
  // Another program switches the file to write-ahead logging and keeps it
  // open, writing, for a second.
  ChildProcess holder([&](int report) {
    RawSqlite db(t.FilePath());
    db.Exec("PRAGMA journal_mode=WAL; BEGIN IMMEDIATE;"
            " INSERT INTO tblPilot (pilPk, pilLastName) VALUES (500, 'Holder');");
    ChildProcess::Write(report, "L");
    std::this_thread::sleep_for(std::chrono::seconds(1));
    db.Exec("COMMIT");
    return 0;
  });
  ASSERT_TRUE(holder.AwaitSignal());
  t.Db().OpenDB();
  EXPECT_EQ(holder.ExitCode(), 0);
  EXPECT_EQ(t.Scalar("SELECT pilLastName FROM tblPilot WHERE pilPk = 500"), "Holder");
  t.Db().CloseDB();
  EXPECT_FALSE(fs::exists(t.FilePath() + "-wal"));
}

// Opening a file for writing where the system forbids writing. Root may
// write anywhere, so a root test run drops to "nobody" in a child first.
class ReadOnlyPlaces : public ::testing::Test {
 protected:
  // Runs OpenDB in a process without the right to write; the error text
  // ("" when the open succeeded) and whether the open failed with 3051.
  std::string OpenWithoutWriteRights(const std::string& file, bool& cannotOpen) {
    uid_t uid = 0;
    gid_t gid = 0;
    const bool root = ::geteuid() == 0;
    if (root && !NobodyIds(uid, gid)) return "no user nobody";
    if (root) {
      for (const fs::path& path : {t.Dir().Path(), fs::path(file)}) {
        if (::chown(path.c_str(), uid, gid) != 0) return "chown failed";
      }
    }
    ChildProcess child([&](int report) {
      if (root && (::setgid(gid) != 0 || ::setuid(uid) != 0)) return 2;
      CDatabase db;
      db.SetPath(file);
      try {
        db.OpenDB();
      } catch (const Error& e) {
        ChildProcess::Write(report, e.Description());
        return CarriesEngineError(e, 3051) ? 0 : 1;
      }
      return 3;
    });
    const std::string text = child.Report();
    const int code = child.ExitCode();
    cannotOpen = code == 0;
    return text + " (exit " + std::to_string(code) + ")";
  }

  TestDatabase t;
};

// Neither the file nor its folder may change, nor may anything be created
// beside it.
TEST_F(ReadOnlyPlaces, ReadOnlyFileOrFolderRefusesToOpenAndStaysUnchanged) {
  t.Db().CloseDB();
  const std::string before = DumpDatabase(t.FilePath());
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  const fs::perms listable = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  for (const fs::path& place : {fs::path(t.FilePath()), t.Dir().Path()}) {
    const fs::perms previous = fs::status(place).permissions();
    fs::permissions(place, place == t.Dir().Path() ? readOnly | listable : readOnly);
    bool refused = false;
    const std::string text = OpenWithoutWriteRights(t.FilePath(), refused);
    fs::permissions(place, previous);
    EXPECT_TRUE(refused) << place << ": " << text;
    EXPECT_NE(text.find(t.FilePath()), std::string::npos) << text;
    EXPECT_EQ(std::distance(fs::directory_iterator(t.Dir().Path()), fs::directory_iterator()), 1) << place;
    EXPECT_EQ(DumpDatabase(t.FilePath()), before) << place;
  }
}
