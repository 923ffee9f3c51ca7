// File lifecycle through the facade: create, open, close, compact, rename and
// validate real files, and the errors of files that are no database.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/ErrorCapture.h"
#include "support/TestDatabase.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/platform/Clock.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/Error.h"

using namespace zazorazari;
using zaztest::ScratchDir;
using zaztest::CaughtError;
using zaztest::TestDatabase;

namespace {

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

}  // namespace

TEST(Lifecycle, CreateCompetitionAndCatalogue) {
  ScratchDir dir;
  CDatabase db;
  const std::string path = dir.File("competition.mdb");
  WriteText(path, "old content that Create replaces");
  db.Create(path, zaztest::TemplateDir(), enumFileCompetition);
  db.OpenDB();
  EXPECT_EQ(db.DBVersionFile(), 600);
  EXPECT_EQ(db.FileType(), enumFileCompetition);
  EXPECT_EQ(db.DatabaseVersion(), "6.0");
  EXPECT_TRUE(db.CompetitionObject()->Fields("comDateFrom")->Value().IsNull());
  db.CloseDB();
  EXPECT_EQ(db.DatabaseObject(), nullptr);
  EXPECT_EQ(db.CompetitionObject(), nullptr);

  CDatabase catalogue;
  const std::string catalogPath = dir.File("catalogue.mdb");
  const double before = Now();
  catalogue.Create(catalogPath, zaztest::TemplateDir(), enumFileCatalog);
  catalogue.SetPath(catalogPath);
  catalogue.OpenDB();
  EXPECT_EQ(catalogue.FileType(), enumFileCatalog);
  const double from = CDate(catalogue.CompetitionObject()->Fields("comDateFrom")->Value());
  EXPECT_NEAR(from, before, 1.0 / 1440);
  EXPECT_EQ(from, CDate(catalogue.CompetitionObject()->Fields("comDateTo")->Value()));
  // A catalogue's version text lives in the row of type 1 only.
  EXPECT_EQ(catalogue.DatabaseVersion(), "");
}

TEST(Lifecycle, OpenFailures) {
  ScratchDir dir;
  CDatabase db;

  db.SetPath(dir.File("missing.mdb"));
  Error missing = CaughtError([&] { db.OpenDB(); });
  EXPECT_EQ(missing.Number(), enumErrorOpen);
  EXPECT_EQ(missing.Source(), "ZAZorazari.CDatabase.OpenDB");
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing.mdb")));

  const std::string text = dir.File("notes.mdb");
  WriteText(text, "this is a text file, not a database\n");
  db.SetPath(text);
  Error notDb = CaughtError([&] { db.OpenDB(); });
  EXPECT_EQ(notDb.Number(), enumErrorFileNoZoltMDB);
  EXPECT_EQ(notDb.Description().rfind("File '" + text + "' is no zolt database<Error/3343/", 0), 0u)
      << notDb.Description();
  EXPECT_FALSE(db.IsOpen());

  // A database of the engine's format whose competition row is gone.
  TestDatabase foreign;
  foreign.Db().CloseDB();
  foreign.Sql("DELETE FROM tblCompetition WHERE comPk=1");
  CDatabase viewless;
  viewless.SetPath(foreign.FilePath());
  Error noCompetition = CaughtError([&] { viewless.OpenDB(); });
  EXPECT_EQ(noCompetition.Number(), enumErrorFileNoZoltMDB);
  // Failing after the file was opened leaves the facade open for CloseDB.
  EXPECT_TRUE(viewless.IsOpen());
  viewless.CloseDB();

  Error closeClosed = CaughtError([&] { viewless.CloseDB(); });
  EXPECT_EQ(closeClosed.Number(), enumErrorClose);
}

TEST(Lifecycle, IsValidFileReturnsToTheStateItFound) {
  TestDatabase catalogue(enumFileCatalog);
  CDatabase& db = catalogue.Db();
  EXPECT_EQ(db.IsValidFile(enumFileCatalog), enumErrorOK);
  EXPECT_EQ(db.IsValidFile(enumFileCompetition), enumErrorFileWrongType);
  EXPECT_TRUE(db.IsOpen());
  db.CloseDB();
  EXPECT_EQ(db.IsValidFile(enumFileAll), enumErrorFileWrongType);
  EXPECT_FALSE(db.IsOpen());

  ScratchDir dir;
  const std::string text = dir.File("text.mdb");
  WriteText(text, "plain text");
  CDatabase other;
  other.SetPath(text);
  EXPECT_EQ(other.IsValidFile(enumFileCompetition), enumErrorFileNoZoltMDB);
  EXPECT_FALSE(other.IsOpen());
}

TEST(Lifecycle, CompressAndRenameKeepTheData) {
  TestDatabase file;
  CDatabase& db = file.Db();
  file.Sql("INSERT INTO tblReportString (rstCategory, rstText) VALUES (1, 'kept')");
  db.Compress();
  EXPECT_TRUE(db.IsOpen());
  EXPECT_FALSE(db.IsModified());
  EXPECT_FALSE(std::filesystem::exists(file.FilePath() + "_compressed"));
  EXPECT_EQ(file.Count("tblReportString", "rstText='kept'"), 1);

  const std::string target = file.Dir().File("renamed.mdb");
  WriteText(target, "an old file in the way");
  db.Rename(target);
  EXPECT_EQ(db.Path(), target);
  EXPECT_TRUE(db.IsOpen());
  EXPECT_FALSE(std::filesystem::exists(file.FilePath()));
  EXPECT_EQ(db.GetDataObject("doReportString", 1)->Fields("rstText")->Value().Text(), "kept");

  const std::string nowhere = file.Dir().File("no/such/folder/x.mdb");
  Error failed = CaughtError([&] { db.Rename(nowhere); });
  EXPECT_EQ(failed.Number(), enumErrorRename);
  EXPECT_EQ(failed.Description().rfind("Cannot rename '" + nowhere + "'<Error/", 0), 0u) << failed.Description();
}

// A "_compressed" file left by a compaction that was killed is never taken
// for the result: the next compaction refuses (3204) and the original stays.
TEST(Lifecycle, CompressRefusesALeftoverCompressedFile) {
  TestDatabase file;
  file.Sql("INSERT INTO tblReportString (rstCategory, rstText) VALUES (1, 'kept')");
  const std::string leftover = file.FilePath() + "_compressed";
  WriteText(leftover, "half a file");
  const Error error = CaughtError([&] { file.Db().Compress(); });
  EXPECT_EQ(error.Number(), enumErrorCompress);
  EXPECT_NE(error.Description().find("<Error/3204/"), std::string::npos) << error.Description();
  EXPECT_FALSE(file.Db().IsOpen());
  EXPECT_TRUE(std::filesystem::exists(leftover));
  EXPECT_EQ(file.Count("tblReportString", "rstText='kept'"), 1);
}

TEST(Lifecycle, FormulaParameters) {
  TestDatabase file;
  file.Sql("INSERT INTO tblFormulaCompetition (forPk, forParameter) VALUES (7, 'nominal=70')");
  file.Sql("INSERT INTO tblFormulaTask (tasPk, fotFormulaID, fotParameter) VALUES (3, 7, 'day=1')");
  EXPECT_EQ(file.Db().CompetitionFormulaParameter(7), "nominal=70");
  EXPECT_EQ(file.Db().CompetitionFormulaParameter(8), "");
  EXPECT_EQ(file.Db().TaskFormulaParameter(7, 3), "day=1");
  EXPECT_EQ(file.Db().TaskFormulaParameter(7, 4), "");
}
