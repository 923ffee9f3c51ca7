// The facade's construction, file lifecycle (create, open, close, compact,
// rename, validate) and its simple properties.
#include "zazorazari/database/CDatabase.h"

#include <filesystem>
#include <system_error>

#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/database/TemplateSchema.h"
#include "zazorazari/database/ViewLayouts.h"
#include "zazorazari/engine/DBEngine.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/platform/Clock.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/FileReplacement.h"
#include "zazorazari/rules/CRuleObjects.h"

namespace zazorazari {

namespace fs = std::filesystem;

namespace {

constexpr const char* kJournalSuffix = "-journal";

// A journal beside a file is the unfinished transaction of a killed writer:
// opening the file rolls it back, so the file holds its last committed state
// before it is moved. Another program's lock fails here (3051), before
// anything changed.
void SettleJournal(const std::string& path) {
  std::error_code ec;
  if (!fs::exists(path + kJournalSuffix, ec)) return;
  try {
    engine::DBEngine::ForThisThread().OpenDatabase(path)->Close();
  } catch (const Error& e) {
    if (e.Number() == errEngineCannotOpen) throw;
  }
}

// A file about to be replaced keeps no journal that the engine would later
// replay into the new file.
void DropJournal(const std::string& path) {
  SettleJournal(path);
  std::error_code ec;
  fs::remove(path + kJournalSuffix, ec);
}

// The file a path leads to through links, where the engine keeps its journal.
std::string LinkedFile(const std::string& path) {
  std::error_code ec;
  const fs::path file = fs::canonical(path, ec);
  return ec ? path : file.string();
}

engine::Database& Require(const std::shared_ptr<engine::Database>& db) {
  if (!db) throw RuntimeError(errObjectNotSet);
  return *db;
}

const Variant& CompetitionValue(const CDataObjectPtr& competition, const char* field) {
  if (!competition) throw RuntimeError(errObjectNotSet);
  return competition->Fields(field)->Value();
}

}  // namespace

CDatabase::CDatabase()
    : m_objRules(std::make_unique<CRuleObjects>(this)),
      m_objLayouts(std::make_unique<ViewLayouts>()),
      m_objUserInterface(std::make_shared<NonInteractiveUserInterface>()) {}

CDatabase::~CDatabase() {
  // No catalogue date stamp here: only an explicit CloseDB records a change.
  if (m_bOpen && m_objDatabase) {
    try {
      m_objDatabase->Close();
    } catch (...) {
    }
  }
}

CRuleObjects& CDatabase::RuleObjects() { return *m_objRules; }

void CDatabase::SetUserInterface(std::shared_ptr<UserInterface> ui) {
  m_objUserInterface = ui ? std::move(ui) : std::make_shared<NonInteractiveUserInterface>();
}

std::string CDatabase::CompetitionName() const { return CStr(CompetitionValue(m_objCompetition, "comName")); }
int32_t CDatabase::CompetitionFormulaID() const { return CLng(CompetitionValue(m_objCompetition, "comFormulaID")); }
int32_t CDatabase::CompetitionFAIClass() const { return CLng(CompetitionValue(m_objCompetition, "comFAIClass")); }
bool CDatabase::CompetitionFinished() const { return CBool(CompetitionValue(m_objCompetition, "comFinished")); }

namespace {

// The text of `column` in the first row of a read-only SELECT; "" when there
// is no row or the value is NULL.
std::string FirstRowText(engine::Database& db, const std::string& sql, const char* column) {
  auto rs = db.OpenRecordset(sql, engine::dbOpenSnapshot);
  std::string text;
  if (!rs->IsEOF()) {
    Variant value = rs->Fields(column).Value();
    if (!value.IsNull()) text = CStr(value);
  }
  rs->Close();
  return text;
}

}  // namespace

std::string CDatabase::CompetitionFormulaParameter(int32_t lFormulaID) {
  return InTransaction(*this, false, [&] {
    return FirstRowText(Require(m_objDatabase),
                        "SELECT * from tblFormulaCompetition WHERE forPk = " + std::to_string(lFormulaID),
                        "forParameter");
  });
}

std::string CDatabase::TaskFormulaParameter(int32_t lFormulaID, int32_t pkTask) {
  return InTransaction(*this, false, [&] {
    return FirstRowText(Require(m_objDatabase),
                        "SELECT * from tblFormulaTask WHERE tasPk = " + std::to_string(pkTask) +
                            " AND fotFormulaID = " + std::to_string(lFormulaID),
                        "fotParameter");
  });
}

std::string CDatabase::DatabaseVersion() {
  return InTransaction(*this, false, [&] {
    return FirstRowText(Require(m_objDatabase), "SELECT * from tblDatabaseInfo WHERE dbiType = 1",
                        "dbiVersionText");
  });
}

void CDatabase::StampCatalogDate(const char* column) {
  auto rs = Require(m_objDatabase).OpenRecordset("tblCompetition", engine::dbOpenDynaset);
  rs->Edit();
  rs->Fields(column).SetValue(Variant::Date(Now()));
  rs->Update();
  rs->Close();
}

void CDatabase::Create(const std::string& strFile, const std::string& strTemplateDir, enumFileType enumType) {
  WithErrorTrap("Create", enumErrorCreate, [&] { return "Cannot create database '" + strFile + "'"; }, [&] {
    const fs::path templateFile = fs::path(strTemplateDir) / "template.mdb";
    std::error_code ec;
    if (!fs::exists(templateFile, ec)) throw RuntimeError(errFileNotFound);
    m_strPath = strFile;
    m_lFileType = enumType;
    DropJournal(LinkedFile(strFile));
    // The file is finished under a temporary name, so the path never holds
    // a half-made file or one of the wrong type.
    files::ReplaceFile(strFile, {.followLink = true}, [&](const std::string& temporary) {
      files::CopyInto(templateFile.string(), temporary, strFile);
      const auto db = engine::DBEngine::ForThisThread().OpenDatabase(temporary);
      auto info = db->OpenRecordset("tblDatabaseInfo", engine::dbOpenDynaset);
      info->Edit();
      info->Fields("dbiType").SetValue(static_cast<int32_t>(enumType));
      info->Update();
      info->Close();
      if (enumType == enumFileCatalog) {
        auto competition = db->OpenRecordset("tblCompetition", engine::dbOpenDynaset);
        const Variant now = Variant::Date(Now());
        competition->Edit();
        competition->Fields("comDateFrom").SetValue(now);
        competition->Fields("comDateTo").SetValue(now);
        competition->Update();
        competition->Close();
      }
      db->Close();
    });
  });
}

std::vector<std::string> CDatabase::ForeignSchemaObjects() {
  return zazorazari::ForeignSchemaObjects(Require(m_objDatabase));
}

void CDatabase::OpenDBUnwrapped() {
  if (m_bOpen) return;
  m_objLayouts->Clear();
  m_objDatabase = engine::DBEngine::ForThisThread().OpenDatabase(m_strPath);
  const std::vector<std::string> foreign = m_bAllowForeignSchema ? std::vector<std::string>() : ForeignSchemaObjects();
  if (!foreign.empty()) {
    m_objDatabase->Close();
    m_objDatabase.reset();
    std::string list;
    for (const auto& object : foreign) list += (list.empty() ? "" : ", ") + object;
    throw Error(enumErrorFileNoZoltMDB, FacadeSource("OpenDB"),
                "File '" + m_strPath + "' is no zolt database: it holds " + list +
                    ", which the template does not have and which could run code from elsewhere. Open it only "
                    "if you trust where it comes from (SetAllowForeignSchema).");
  }
  m_bOpen = true;
  m_bModified = false;
  m_objCompetition = GetDataObject("doCompetition", 1);
  InTransaction(*this, false, [&] {
    auto info = m_objDatabase->OpenRecordset("tblDatabaseInfo", engine::dbOpenDynaset);
    m_lDBVersionFile = CLng(info->Fields("dbiVersion").Value());
    m_lFileType = CLng(info->Fields("dbiType").Value());
    info->Close();
  });
}

void CDatabase::OpenDB() {
  try {
    OpenDBUnwrapped();
  } catch (const Error& e) {
    if (e.Number() == enumErrorFileNoZoltMDB) throw;  // says already why
    const bool unusable = e.Number() == errEngineUnrecognizedFormat || e.Number() == enumErrorGetDataObject;
    if (unusable) {
      throw Error(enumErrorFileNoZoltMDB, FacadeSource("OpenDB"),
                  "File '" + m_strPath + "' is no zolt database" + ErrorInfoText(e));
    }
    throw Error(enumErrorOpen, FacadeSource("OpenDB"), "Cannot open database '" + m_strPath + "'" + ErrorInfoText(e));
  }
}

void CDatabase::CloseDBUnwrapped() {
  engine::Database& db = Require(m_objDatabase);
  // Closing would silently undo a host transaction still open.
  if (m_lOpenTransactions > 0) throw RuntimeError(errInvalidProcedureCall);
  if (m_bModified && m_lFileType == enumFileCatalog) StampCatalogDate("comDateTo");
  m_objCompetition.reset();
  db.Close();
  m_objDatabase.reset();
  m_bOpen = false;
}

void CDatabase::CloseDB() {
  WithErrorTrap("CloseDB", enumErrorClose, [&] { return "Cannot close database '" + m_strPath + "'"; },
                [&] { CloseDBUnwrapped(); });
}

void CDatabase::Compress() {
  WithErrorTrap("Compress", enumErrorCompress, [&] { return "Cannot compress database '" + m_strPath + "'"; }, [&] {
    const bool wasOpen = m_bOpen;
    if (wasOpen) CloseDB();
    const std::string compressed = m_strPath + "_compressed";
    engine::DBEngine::ForThisThread().CompactDatabase(m_strPath, compressed);
    // One rename over the original (through a link, to the file it leads
    // to): a kill leaves the original or the compacted file, never neither.
    files::MoveFileOver(compressed, m_strPath, {.followLink = true, .keepMode = true});
    if (wasOpen) OpenDB();
  });
}

void CDatabase::Rename(const std::string& strFile) {
  WithErrorTrap("Rename", enumErrorRename, [&] { return "Cannot rename '" + strFile + "'"; }, [&] {
    // Deleting the target first, as a plain rename does, would delete the
    // file itself.
    if (files::SameFile(m_strPath, strFile)) {
      throw files::FileError(strFile, "is the file '" + m_strPath + "' itself; nothing was changed: choose another name");
    }
    const bool wasOpen = m_bOpen;
    if (wasOpen) CloseDB();
    std::error_code ec;
    if (!fs::exists(m_strPath, ec)) throw RuntimeError(errFileNotFound);
    SettleJournal(m_strPath);
    if (!fs::is_symlink(fs::symlink_status(strFile, ec))) DropJournal(strFile);
    files::MoveFileOver(m_strPath, strFile, {.followLink = false});
    m_strPath = strFile;
    if (wasOpen) OpenDB();
  });
}

int32_t CDatabase::IsValidFile(enumFileType FileType) {
  const bool wasOpen = m_bOpen;
  try {
    if (!wasOpen) OpenDB();
    const int32_t dbiType = InTransaction(*this, false, [&] {
      auto info = m_objDatabase->OpenRecordset("tblDatabaseInfo", engine::dbOpenSnapshot);
      const int32_t type = CLng(info->Fields("dbiType").Value());
      info->Close();
      return type;
    });
    if (!wasOpen) CloseDB();
    return dbiType == FileType ? enumErrorOK : enumErrorFileWrongType;
  } catch (const Error& e) {
    if (!wasOpen && m_bOpen) {
      try {
        CloseDB();
      } catch (const Error&) {
      }
    }
    return e.Number();
  }
}

}  // namespace zazorazari
