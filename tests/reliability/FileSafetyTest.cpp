// What the operations that write a whole file refuse or respect: the same
// file under another name, databases and non-regular files at an export's
// target, links, the umask and an existing file's mode, long names, the
// leftovers of a killed run, and a journal a killed writer left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "reliability/FileOperations.h"
#include "support/ErrorCapture.h"

using namespace zazorazari;
using namespace zaztest;
namespace fs = std::filesystem;

namespace {

class FileSafety : public testing::Test {
 protected:
  void SetUp() override { MakeSourceFiles(folder); }

  std::string File(const std::string& name) const { return InFolder(folder, name); }

  void Export(const std::string& path) {
    CDatabase db;
    db.SetPath(File("source.mdb"));
    db.OpenDB();
    db.ExportDB(path, enumDB6, enumExportXML, ProgressRecorder().object);
  }

  ScratchDir dir;
  std::string folder = dir.Path().string();
};

TEST_F(FileSafety, RenameOntoTheSameFileIsRefusedAndChangesNothing) {
  const std::string source = File("source.mdb");
  const std::string state = DatabaseState(source);
  fs::create_hard_link(source, File("hard.mdb"));
  fs::create_symlink("source.mdb", File("soft.mdb"));
  for (const std::string& other : {source, folder + "/./source.mdb", File("hard.mdb"), File("soft.mdb")}) {
    CDatabase db;
    db.SetPath(source);
    const Error error = CaughtError([&] { db.Rename(other); });
    EXPECT_EQ(error.Number(), enumErrorRename) << other;
    EXPECT_NE(error.Description().find("'" + other + "'"), std::string::npos) << error.Description();
    EXPECT_NE(error.Description().find("'" + source + "'"), std::string::npos) << error.Description();
    EXPECT_EQ(DatabaseState(source), state) << other;
  }
  EXPECT_TRUE(fs::is_symlink(File("soft.mdb")));
  EXPECT_EQ(DatabaseState(File("hard.mdb")), state);
}

TEST_F(FileSafety, ExportsRefuseDatabasesAndFilesThatAreNoRegularFiles) {
  ASSERT_EQ(::mkfifo(File("pipe").c_str(), 0600), 0);
  fs::create_directory(File("folder"));
  fs::create_symlink("/dev/null", File("device"));
  fs::create_symlink("source.mdb", File("database-link"));
  const std::string state = DatabaseState(File("source.mdb"));
  for (const char* name : {"source.mdb", "database-link", "pipe", "folder", "device"}) {
    const Error error = CaughtError([&] { Export(File(name)); });
    EXPECT_EQ(error.Number(), 75) << name;
    EXPECT_NE(error.Description().find(File(name)), std::string::npos) << error.Description();
  }
  EXPECT_EQ(DatabaseState(File("source.mdb")), state);
  EXPECT_TRUE(fs::is_fifo(File("pipe")));
  EXPECT_TRUE(fs::is_directory(File("folder")));
  EXPECT_TRUE(fs::is_symlink(File("device")));
  EXPECT_EQ(Leftovers(folder), "");
  // Create refuses a folder as well, instead of removing it.
  EXPECT_EQ(CaughtError([&] { CDatabase().Create(File("folder"), TemplateDir(), enumFileCompetition); }).Number(),
            enumErrorCreate);
  EXPECT_TRUE(fs::is_directory(File("folder")));
}

TEST_F(FileSafety, ExportAndCompactWriteThroughLinksAndKeepModes) {
  WriteFile(File("real.xml"), "old");
  fs::permissions(File("real.xml"), fs::perms(0640));
  fs::create_symlink("real.xml", File("link.xml"));
  Export(File("link.xml"));
  EXPECT_TRUE(fs::is_symlink(File("link.xml")));
  EXPECT_NE(ReadFile(File("real.xml")), "old");
  EXPECT_EQ(fs::status(File("real.xml")).permissions(), fs::perms(0640));

  fs::permissions(File("source.mdb"), fs::perms(0640));
  fs::create_symlink("source.mdb", File("link.mdb"));
  CDatabase db;
  db.SetPath(File("link.mdb"));
  db.Compress();
  EXPECT_TRUE(fs::is_symlink(File("link.mdb")));
  EXPECT_EQ(fs::status(File("source.mdb")).permissions(), fs::perms(0640));
  EXPECT_EQ(QueryNumber(File("source.mdb"), "PRAGMA freelist_count"), 0);
}

TEST_F(FileSafety, NewFilesTakeTheUmask) {
  const mode_t previous = ::umask(077);
  Export(File("new.xml"));
  CDatabase().Create(File("new.mdb"), TemplateDir(), enumFileCompetition);
  ::umask(previous);
  EXPECT_EQ(fs::status(File("new.xml")).permissions(), fs::perms(0600));
  EXPECT_EQ(fs::status(File("new.mdb")).permissions(), fs::perms(0600));
}

TEST_F(FileSafety, LongNamesAndLeftoversOfAKilledRun) {
  const std::string longName = File(std::string(250, 'x') + ".xml");
  Export(longName);
  Export(longName);
  EXPECT_GT(fs::file_size(longName), 1000u);
  const std::string longDatabase = File(std::string(250, 'y') + ".mdb");
  CDatabase().Create(longDatabase, TemplateDir(), enumFileCompetition);
  EXPECT_EQ(DatabaseState(longDatabase), "type 1, 0 pilots");
  // What a run killed while writing leaves: its temporary and the engine's
  // journal of it. The next export to that target removes both.
  WriteFile(File(".out.xml.zaz~AbC123"), "half");
  WriteFile(File(".out.xml.zaz~AbC123-journal"), "half");
  Export(File("out.xml"));
  EXPECT_EQ(Leftovers(folder), "");
}

// A writer killed in the middle of a transaction leaves a journal beside
// the file; the operations that move or replace the file act on its last
// committed state and leave no journal that could be replayed elsewhere.
TEST_F(FileSafety, AJournalLeftByAKilledWriterNeverReachesAnotherFile) {
  const std::string committed = DumpDatabase(File("source.mdb"));
  struct Case {
    const char* name;
    std::function<void(CDatabase&)> run;
    const char* result;
  };
  const Case cases[] = {
      {"rename", [&](CDatabase& db) { db.Rename(File("renamed.mdb")); }, "renamed.mdb"},
      {"compact", [&](CDatabase& db) { db.Compress(); }, "hot.mdb"},
      {"create", [&](CDatabase& db) { db.Create(File("hot.mdb"), TemplateDir(), enumFileCompetition); }, "hot.mdb"},
  };
  for (const Case& c : cases) {
    fs::copy_file(File("source.mdb"), File("hot.mdb"), fs::copy_options::overwrite_existing);
    ChildProcess writer([&](int report) {
      // A small cache makes the engine write changed pages into the file
      // before the commit.
      RawSqlite db(File("hot.mdb"));
      db.Exec("PRAGMA cache_size=2; BEGIN; DELETE FROM tblPilot; CREATE TABLE junk AS WITH RECURSIVE n(i) AS"
                " (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) SELECT randomblob(900) FROM n;");
      ChildProcess::Write(report, "!");
      ::pause();
      return 0;
    });
    ASSERT_TRUE(writer.AwaitSignal());
    writer.Kill();
    writer.Wait();
    ASSERT_TRUE(fs::exists(File("hot.mdb-journal"))) << c.name;

    CDatabase db;
    db.SetPath(File("hot.mdb"));
    c.run(db);
    EXPECT_EQ(Leftovers(folder), "") << c.name;
    EXPECT_EQ(IntegrityCheck(File(c.result)), "ok") << c.name;
    if (std::string(c.name) == "create") {
      EXPECT_EQ(DatabaseState(File(c.result)), "type 1, 0 pilots");
    } else {
      EXPECT_EQ(DumpDatabase(File(c.result)), committed) << c.name;
    }
  }
}

}  // namespace
