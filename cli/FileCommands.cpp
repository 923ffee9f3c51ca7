// File commands: create, info, check, compact and rename.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "ChoiceOption.h"
#include "CommandSet.h"
#include "DataFiles.h"
#include "DatabaseReading.h"
#include "OpenDatabase.h"
#include "ReplaceGuard.h"
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/engine/Database.h"

namespace zazorazari::cli {

namespace {

struct FileArgs {
  std::string file;
  std::string other;
  std::string templateDir;
  bool catalog = false;
  bool force = false;
  enumFileType expect = enumFileAll;
};

std::string FileTypeName(int32_t type) {
  switch (type) {
    case enumFileCompetition:
      return "competition";
    case enumFileCatalog:
      return "catalog";
    default:
      return "unknown (" + std::to_string(type) + ")";
  }
}

void Line(const std::string& label, const std::string& value) {
  std::printf("%-22s %s\n", (label + ":").c_str(), value.c_str());
}

int Create(const FileArgs& a) {
  RefuseToReplace(a.file, a.force);
  CDatabase db;
  db.Create(a.file, a.templateDir.empty() ? DefaultTemplateDir() : a.templateDir,
            a.catalog ? enumFileCatalog : enumFileCompetition);
  return 0;
}

int Info(const FileArgs& a) {
  auto db = OpenDatabase(a.file);
  Line("file", a.file);
  Line("type", FileTypeName(db->FileType()));
  Line("file version", std::to_string(db->DBVersionFile()));
  Line("code version", std::to_string(db->DBVersionCode()));
  Line("database version", db->DatabaseVersion());
  Line("name", db->CompetitionName());
  for (const auto& [table, count] : CountTableRows(*db)) Line(table, std::to_string(count));
  db->CloseDB();
  return 0;
}

// The file's kind when IsValidFile accepts it as one, else its answer.
int32_t ValidKind(CDatabase& db, enumFileType expect, enumFileType& kind) {
  for (enumFileType candidate : {enumFileCompetition, enumFileCatalog}) {
    if (expect != enumFileAll && expect != candidate) continue;
    const int32_t answer = db.IsValidFile(candidate);
    if (answer != enumErrorFileWrongType || expect != enumFileAll) {
      kind = candidate;
      return answer;
    }
  }
  return enumErrorFileWrongType;
}

int Check(const FileArgs& a) {
  CDatabase db;
  db.SetPath(a.file);
  enumFileType kind = enumFileAll;
  const int32_t answer = ValidKind(db, a.expect, kind);
  if (answer == enumErrorFileWrongType) {
    Line("file", a.expect == enumFileAll ? "neither a competition nor a catalog file"
                                         : "not a " + FileTypeName(a.expect) + " file");
  } else if (answer != enumErrorOK) {
    Line("file", std::string(answer == enumErrorFileNoZoltMDB ? "not a database of this program"
                                                              : "cannot be opened") +
                     " (error " + std::to_string(answer) + ")");
  } else {
    Line("file", FileTypeName(kind));
  }
  if (answer != enumErrorOK) return 1;
  auto open = OpenDatabase(a.file);
  const std::string integrity = open->DatabaseObject()->IntegrityCheck();
  open->CloseDB();
  Line("integrity", integrity);
  return integrity == "ok" ? 0 : 1;
}

int Compact(const FileArgs& a) {
  CDatabase db;
  db.SetPath(a.file);
  db.Compress();
  return 0;
}

int Rename(const FileArgs& a) {
  RefuseToReplace(a.other, a.force);
  CDatabase db;
  db.SetPath(a.file);
  db.Rename(a.other);
  return 0;
}

}  // namespace

void AddFileCommands(CommandSet& commands) {
  auto a = std::make_shared<FileArgs>();

  CLI::App* create = commands.Add("create", "Create a competition or catalog file from the template",
                                  "zazorazari create cup.mdb", [a] { return Create(*a); });
  create->add_option("FILE", a->file, "The new database file")->required();
  create->add_flag("--catalog", a->catalog, "Create a catalog file instead of a competition file");
  create->add_option("--template-dir", a->templateDir, "Folder holding template.mdb")
      ->check(CLI::ExistingDirectory);
  AddForceFlag(create, a->force, "file");

  CLI::App* info = commands.Add("info", "Show a file's type, versions, competition name and row counts",
                                "zazorazari info cup.mdb", [a] { return Info(*a); });
  info->add_option("FILE", a->file, "Database file")->required();

  CLI::App* check = commands.Add("check", "Check that a file is a valid database and passes the integrity check",
                                 "zazorazari check cup.mdb --expect competition", [a] { return Check(*a); });
  check->add_option("FILE", a->file, "Database file")->required();
  const std::map<std::string, enumFileType> kinds{{"competition", enumFileCompetition},
                                                  {"catalog", enumFileCatalog}};
  AddChoiceOption(check, "--expect", a->expect, kinds, "The kind the file must be");

  CLI::App* compact = commands.Add("compact", "Compact a file (no other program may have it open)",
                                   "zazorazari compact cup.mdb", [a] { return Compact(*a); });
  compact->add_option("FILE", a->file, "Database file")->required();

  CLI::App* rename = commands.Add("rename", "Rename a file (no other program may have it open)",
                                  "zazorazari rename cup.mdb cup-2026.mdb", [a] { return Rename(*a); });
  rename->add_option("FILE", a->file, "Database file")->required();
  rename->add_option("NEWFILE", a->other, "Its new path")->required();
  AddForceFlag(rename, a->force, "NEWFILE");
}

}  // namespace zazorazari::cli
