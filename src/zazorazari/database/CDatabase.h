// The facade a scoring host works through: one database file (a competition
// or a catalogue), its lifecycle, and every record read, write, list, task
// query, import, export and copy. Failures leave as zazorazari::Error with
// an EnumError number and the source "ZAZorazari.CDatabase.<operation>".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "zazorazari/database/Enums.h"
#include "zazorazari/database/PilotList.h"
#include "zazorazari/dataobject/CDataObject.h"
#include "zazorazari/dataobject/CDataObjectCollection.h"
#include "zazorazari/platform/Dispatch.h"
#include "zazorazari/platform/UserInterface.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari {

namespace engine {
class Database;
class AtomicScope;
}
class CRuleObjects;

class CDatabase {
 public:
  CDatabase();
  ~CDatabase();
  CDatabase(const CDatabase&) = delete;
  CDatabase& operator=(const CDatabase&) = delete;

  // --- File and properties ---
  const std::string& Path() const { return m_strPath; }
  void SetPath(const std::string& strPath) { m_strPath = strPath; }
  std::shared_ptr<engine::Database> DatabaseObject() const { return m_objDatabase; }
  int32_t DBVersionCode() const { return 600; }
  int32_t DBVersionFile() const { return m_lDBVersionFile; }
  enumFileType FileType() const { return static_cast<enumFileType>(m_lFileType); }
  CDataObjectPtr CompetitionObject() const { return m_objCompetition; }
  void SetCompetitionObject(CDataObjectPtr obj) { m_objCompetition = std::move(obj); }
  std::string CompetitionName() const;
  int32_t CompetitionFormulaID() const;
  int32_t CompetitionFAIClass() const;
  bool CompetitionFinished() const;
  std::string CompetitionFormulaParameter(int32_t lFormulaID);
  std::string DatabaseVersion();
  std::string TaskFormulaParameter(int32_t lFormulaID, int32_t pkTask);
  int32_t LastDuplicatedPk() const { return m_lLastDuplicatedPk; }
  void SetLastDuplicatedPk(int32_t lPk) { m_lLastDuplicatedPk = lPk; }

  // Extension: OpenDB refuses a file whose schema holds a trigger, or a
  // table or view the template does not have (enumErrorFileNoZoltMDB,
  // naming them), since a file from elsewhere could run code that way;
  // SetAllowForeignSchema(true) opens such a file all the same.
  void SetAllowForeignSchema(bool bAllow) { m_bAllowForeignSchema = bAllow; }
  bool AllowForeignSchema() const { return m_bAllowForeignSchema; }
  // What the open file holds beyond the template ("trigger 'x'", "table
  // 'y'", "view 'z'"); empty for a file of this program.
  std::vector<std::string> ForeignSchemaObjects();

  void Rename(const std::string& strFile);
  void Create(const std::string& strFile, const std::string& strTemplateDir, enumFileType enumType);
  void OpenDB();
  void CloseDB();
  void Compress();
  int32_t IsValidFile(enumFileType FileType);

  // --- Records ---
  CDataObjectPtr CreateDataObject(const std::string& strType);
  CDataObjectPtr GetDataObject(const std::string& strType, int32_t lPk);
  bool SupportsReferenceDelete(const std::string& strType) const;

  int32_t AddDataObject(CDataObject& dobj, EnumOverwriteMode lOverwriteMode);
  int32_t UpdateDataObject(CDataObject& dobj, EnumOverwriteMode lOverwriteMode);
  void DeleteDataObject(const std::string& strType, int32_t lPk, bool bDeleteReferences);
  Variant AddDataObjectInternal(CDataObject& dobj, EnumOverwriteMode lOverwriteMode);

  // --- Lists ---
  CDataObjectCollectionPtr CreateDataObjectCollection(const std::string& strType);
  CDataObjectCollectionPtr GetDataObjectCollection(const std::string& strType, int32_t lPk,
                                                   const Variant& strFilter = {}, const Variant& strOrder = {});
  void UpdateDataObjectCollection(CDataObjectCollection& dobj);

  // --- Task and result queries ---
  std::string TaskResultsType(int32_t pkTask);
  bool TaskHasResults(int32_t pkTask);
  int32_t TaskTurnpointCount(int32_t pkTask);
  void ResetTaskResults(int32_t pkTask);
  bool FlightTimeNeeded(int32_t pkTask, int32_t lTPReached);
  void AssignStartTimeToPilots(int32_t pkTask, double timStart);
  void SetTaskRecomputingFlag(int32_t pkTask);

  // --- XML export and import ---
  void ExportDB(const std::string& strPath, enumDBVersion lVersion, enumExportFormat lType, DispatchPtr frmProgress);
  void ExportTask(const std::string& strPath, int32_t lPkTask, enumExportFormat lType, DispatchPtr frmProgress);
  void ExportTaskResult(const std::string& strPath, int32_t lPkTask, enumExportFormat lType,
                        DispatchPtr frmProgress);
  // lMode (extension): enumImportAllOrNothing leaves the file as it was
  // when the import fails; the default keeps what was written before.
  void ImportDBFromXML(const std::string& strPath, DispatchPtr frmProgress,
                       enumImportMode lMode = enumImportKeepWritten);
  void ImportPilotsFromXML(const std::string& strPath, DispatchPtr frmProgress,
                           enumImportMode lMode = enumImportKeepWritten);
  void ImportTurnpointsFromXML(const std::string& strPath, DispatchPtr frmProgress,
                               enumImportMode lMode = enumImportKeepWritten);
  void ImportTaskResultFromXML(const std::string& strPath, DispatchPtr frmProgress,
                               enumImportMode lMode = enumImportKeepWritten);

  // --- Copy between database files ---
  // lMode (extension) as for the imports.
  int32_t InsertDataObjectsFrom(const std::string& strDO, const std::string& strDBPathFrom,
                                const std::vector<int32_t>& aPk, DispatchPtr frmProgress,
                                DispatchPtr frmAskOverwrite, const std::vector<std::string>& aMessage,
                                enumImportMode lMode = enumImportKeepWritten);
  int32_t InsertCatalogFrom(const std::string& strCatalogPath, enumImportMode lMode = enumImportKeepWritten);
  int32_t SetContext(CDataObject& dobj, CDatabase& objAnotherDatabase);

  // --- Waypoint files ---
  // lMode (extension) as for the XML imports; declining to overwrite is no
  // failure. enumImportAllOrNothing also refuses a latitude beyond +-90, a
  // longitude beyond +-180 or one that is no finite number (6, naming the
  // line), and says what a waypoint line must hold when one cannot be read.
  void ImportTurnpointsFromWPT(const std::string& strPath, DispatchPtr frmProgress,
                               enumImportMode lMode = enumImportKeepWritten);

  // --- Turnpoint files (extension) ---
  // SeeYou .cup, GPX, GeoJSON or OziExplorer .wpt ("cup", "gpx", "geojson",
  // "ozi"; "" detects the format). Every waypoint goes through the turnpoint
  // rules; a fault in the file writes nothing, refused waypoints are
  // reported together after the rest is stored (docs/TURNPOINT_FILES.md),
  // or, with enumImportAllOrNothing, with nothing stored.
  void ImportTurnpointsFromFile(const std::string& strPath, const std::string& strFormat,
                                EnumOverwriteMode lOverwriteMode, DispatchPtr frmProgress,
                                enumImportMode lMode = enumImportKeepWritten);
  // All turnpoints (lPkTask 0) or one task's in task order; "" takes the
  // format from the extension.
  void ExportTurnpointsToFile(const std::string& strPath, const std::string& strFormat, int32_t lPkTask,
                              DispatchPtr frmProgress);

  // --- Registration lists as CSV (extension, docs/PILOT_LISTS.md) ---
  // Every line goes through the pilot rules inside one transaction, kept
  // only when no line has a problem and options.dryRun is false; the report
  // names each problem's line and column. A file that cannot be read fails.
  PilotListReport ImportPilotsFromCSV(const std::string& strPath, const PilotListOptions& options,
                                      DispatchPtr frmProgress);
  // Every pilot with the columns the import reads; separator ',' ';' or tab.
  // Returns the number of pilots written.
  int32_t ExportPilotsToCSV(const std::string& strPath, char separator, DispatchPtr frmProgress);

  // --- Host transactions (extension) ---
  // Makes several facade calls one transaction of the file, so that a host's
  // read-modify-write cannot lose another process's update:
  //   { CDatabase::Transaction t(db); auto p = db.GetDataObject("doPilot", 7);
  //     p->Fields("pilSponsor")->SetValue("S"); db.UpdateDataObject(*p, mode);
  //     t.Commit(); }
  // - Construction needs an open database (else 91) and takes the file's
  //   write lock at once (BEGIN IMMEDIATE): another process's writer waits
  //   up to 5 s, then fails with 3051; readers go on seeing the last commit.
  // - Facade operations called while it is open join it: nothing they write
  //   reaches the file before Commit(). One that fails keeps, inside the
  //   transaction, what it wrote before the failure (as it would alone); the
  //   all-or-nothing imports undo their own part only.
  // - Commit() makes everything permanent; if COMMIT fails (disk full), the
  //   engine's error is raised and nothing stays. Rollback(), or leaving the
  //   scope without Commit() (an exception), undoes everything.
  // - A Transaction opened inside another is a savepoint: its Commit() keeps
  //   its work for the outer one to commit, its Rollback() undoes its own.
  // - CloseDB, Compress and Rename fail while one is open; end it first, and
  //   before the CDatabase is destroyed. One thread only, like the facade.
  class Transaction {
   public:
    explicit Transaction(CDatabase& db);
    ~Transaction();  // rolls back unless committed; never throws
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();
    void Rollback();

   private:
    void End();

    CDatabase& m_db;
    std::unique_ptr<engine::AtomicScope> m_scope;
  };

  // --- Host user interface (message boxes, mouse pointer) ---
  void SetUserInterface(std::shared_ptr<UserInterface> ui);
  UserInterface& GetUserInterface() const { return *m_objUserInterface; }

  // --- Within the component only ---
  CRuleObjects& RuleObjects();
  // The record's display name for questions and messages ("?" for types
  // without one); a NULL part fails with 94.
  std::string DisplayName(const CDataObject& dobj) const;
  void SetModified() { m_bModified = true; }
  bool IsModified() const { return m_bModified; }
  bool IsOpen() const { return m_bOpen; }

 private:
  void OpenDBUnwrapped();
  void CloseDBUnwrapped();
  void StampCatalogDate(const char* column);

  bool m_bOpen = false;
  bool m_bModified = false;
  bool m_bAllowForeignSchema = false;
  std::string m_strPath;
  CDataObjectPtr m_objCompetition;
  int32_t m_lDBVersionFile = 0;
  int32_t m_lFileType = 0;
  int32_t m_lLastDuplicatedPk = 0;
  int32_t m_lOpenTransactions = 0;  // host Transactions not yet ended
  std::shared_ptr<engine::Database> m_objDatabase;
  std::unique_ptr<CRuleObjects> m_objRules;
  std::shared_ptr<UserInterface> m_objUserInterface;
};

}  // namespace zazorazari
