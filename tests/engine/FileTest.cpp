// Opening files (missing, not a database, in WAL mode) and
// compacting one into a new file.
#include "engine/EngineTestDb.h"

#include <filesystem>
#include <fstream>

namespace {

using namespace zazorazari;
using namespace zazorazari::engine;
using zaztest::ErrorNumberOf;

class FileTest : public zaztest::EngineTest {
 protected:
  int32_t OpenError(const std::string& path) {
    return ErrorNumberOf([&] { DBEngine::ForThisThread().OpenDatabase(path); });
  }
};

TEST_F(FileTest, MissingFileIs3024AndNothingIsCreated) {
  const std::string missing = m_dir.File("missing.mdb");
  try {
    DBEngine::ForThisThread().OpenDatabase(missing);
    FAIL();
  } catch (const Error& error) {
    EXPECT_EQ(error.Number(), 3024);
    EXPECT_EQ(error.Source(), "Engine.Database");
    EXPECT_NE(error.Description().find(missing), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(OpenError(m_dir.Path().string()), 3024);  // a folder is no file
}

TEST_F(FileTest, FileThatIsNoDatabaseIs3343) {
  const std::string text = m_dir.File("notes.mdb");
  std::ofstream(text) << "These are not the tables you are looking for.\n";
  EXPECT_EQ(OpenError(text), 3343);
  const std::string empty = m_dir.File("empty.mdb");
  std::ofstream{empty};
  EXPECT_EQ(OpenError(empty), 3343);
}

TEST_F(FileTest, OpeningSwitchesAWalFileToRollbackJournal) {
  m_db->Close();
  Exec("PRAGMA journal_mode=WAL");
  ASSERT_EQ(Scalar("PRAGMA journal_mode"), "wal");
  auto db = DBEngine::ForThisThread().OpenDatabase(m_path);
  EXPECT_EQ(Scalar("PRAGMA journal_mode"), "delete");
}

// Refusing an existing destination (3204) is the facade's compaction test.
TEST_F(FileTest, CompactionKeepsCounters) {
  const std::string target = m_dir.File("compact.mdb");
  m_db->Execute("DELETE * FROM tblPilot WHERE pilPk = 5");
  DBEngine::ForThisThread().CompactDatabase(m_path, target);
  auto compacted = DBEngine::ForThisThread().OpenDatabase(target);
  auto rs = compacted->OpenRecordset("tblPilot");
  EXPECT_EQ(rs->RecordCount(), 4);
  rs->AddNew();
  rs->Update();
  EXPECT_EQ(rs->LastModified(), 6);  // key 5 is never given again
  EXPECT_EQ(ErrorNumberOf([&] { DBEngine::ForThisThread().CompactDatabase(m_dir.File("none.mdb"), m_dir.File("x.mdb")); }),
            3024);
}

}  // namespace
