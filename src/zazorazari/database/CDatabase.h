// The facade a scoring host works through: one database file (a competition
// or a catalogue), its lifecycle, and every record read, write, list, task
// query, import, export and copy. Failures leave as zazorazari::Error with
// an EnumError number and the source "ZAZorazari.CDatabase.<operation>".
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "zazorazari/database/CatalogMergeReport.h"
#include "zazorazari/database/Enums.h"
#include "zazorazari/database/ReferenceFinding.h"
#include "zazorazari/database/PilotList.h"
#include "zazorazari/dataobject/CDataObject.h"
#include "zazorazari/dataobject/CDataObjectCollection.h"
#include "zazorazari/platform/Dispatch.h"
#include "zazorazari/platform/UserInterface.h"
#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

namespace engine {
class Database;
class AtomicScope;
}
class CRuleObjects;
class ViewLayouts;

// Contracts below: "stays written" is what a failed call leaves in the file
// (each call runs in one transaction that is committed also after a
// failure; see docs/LIBRARY.md). "Wrapped" errors carry the operation's
// EnumError number, the source "ZAZorazari.CDatabase.<operation>" and the
// cause's "<Error/number/source/description>" at the end of the text.
// Callbacks (progress, questions, the user interface) run on the calling
// thread inside the call's transaction. One thread at a time per object.
class CDatabase {
 public:
  CDatabase();
  // Closes an open file without CloseDB's catalogue date stamp.
  ~CDatabase();
  CDatabase(const CDatabase&) = delete;
  CDatabase& operator=(const CDatabase&) = delete;

  // --- File and properties ---
  // The file the facade works on; setting it touches nothing on disk.
  const std::string& Path() const { return m_strPath; }
  void SetPath(const std::string& strPath) { m_strPath = strPath; }
  // The engine's open database, for a host's own queries (engine/Database.h);
  // nullptr exactly while no file is open.
  std::shared_ptr<engine::Database> DatabaseObject() const { return m_objDatabase; }
  // The schema version this library writes (600), and the version of the
  // file read by the last OpenDB (0 before). OpenDB does not compare them.
  int32_t DBVersionCode() const { return 600; }
  int32_t DBVersionFile() const { return m_lDBVersionFile; }
  // The kind of the file (competition or catalogue), read by OpenDB.
  enumFileType FileType() const { return static_cast<enumFileType>(m_lFileType); }
  // The competition record (row 1), loaded by OpenDB; nullptr while closed.
  CDataObjectPtr CompetitionObject() const { return m_objCompetition; }
  void SetCompetitionObject(CDataObjectPtr obj) { m_objCompetition = std::move(obj); }
  // Fields of the competition record: 91 while no file is open, 94 for a
  // NULL in the three numeric ones, 13 for a value that is no number.
  std::string CompetitionName() const;
  int32_t CompetitionFormulaID() const;
  int32_t CompetitionFAIClass() const;
  bool CompetitionFinished() const;
  // The formula parameter text of a competition formula / of a task and
  // formula; "" when there is none. Engine errors leave unwrapped.
  std::string CompetitionFormulaParameter(int32_t lFormulaID);
  // The file's version text ("6.0"); "" when it has none.
  std::string DatabaseVersion();
  std::string TaskFormulaParameter(int32_t lFormulaID, int32_t pkTask);
  // Set by the pilot and turnpoint rules to the key of the record a new one
  // duplicates; never read by the library.
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

  // Closes an open file, replaces strFile if it exists, renames the file
  // to it, sets Path and reopens if it was open. Wrapped enumErrorRename
  // (naming strFile); after a failure the file is closed. No other program
  // may have the file open.
  void Rename(const std::string& strFile);
  // Copies strTemplateDir/template.mdb to strFile (replacing it), records
  // the kind (a catalogue also gets its creation time), sets Path and
  // leaves the file closed. Wrapped enumErrorCreate; a missing template is
  // named in the cause. The copied file may stay after a failure.
  void Create(const std::string& strFile, const std::string& strTemplateDir, enumFileType enumType);
  // Opens Path and loads the competition record; does nothing when open.
  // Wrapped enumErrorFileNoZoltMDB for a file that is not a database of
  // this program (3343, or no competition record), enumErrorOpen for any
  // other failure (3024 missing, 3051 locked or read-only). After a failure
  // past the engine's open the facade may be open: call CloseDB.
  void OpenDB();
  // Stamps a changed catalogue's comDateTo, then closes. Wrapped
  // enumErrorClose, also when no file is open.
  void CloseDB();
  // Compacts Path in place (closing and reopening an open file). Wrapped
  // enumErrorCompress; a "<file>_compressed" file may stay after a failure.
  // No other program may have the file open.
  void Compress();
  // 0 when Path is a file of the kind FileType; otherwise the number of the
  // refusal (enumErrorFileWrongType, enumErrorFileNoZoltMDB, enumErrorOpen
  // ...). Never raises; leaves the facade open or closed as it was.
  int32_t IsValidFile(enumFileType FileType);

  // --- Records ---
  // A new record of a type (doPilot, doTask, ...; "doCompetition" and
  // "doCatalog" read row 1): every field NULL, Required flags set, a pilot
  // with the competition's attribute names. Unwrapped
  // enumErrorUndefinedDataObject for an unknown type; other failures
  // wrapped enumErrorGetDataObject ("... with id=<key>").
  CDataObjectPtr CreateDataObject(const std::string& strType);
  // The record of a type with key lPk; a key without a row fails wrapped
  // enumErrorGetDataObject (3021 inside).
  CDataObjectPtr GetDataObject(const std::string& strType, int32_t lPk);
  // Whether DeleteDataObject of the type heeds bDeleteReferences.
  bool SupportsReferenceDelete(const std::string& strType) const;

  // Writes a new record through its type's rules and returns its key (under
  // enumOverwriteReturnPk the key of the record it collides with; 0 when
  // the rule returns none). A rule refusal raises its EnumError number with
  // the text "Cannot add data object."; every other failure wrapped
  // enumErrorAddDataObject. The rules may set fields of dobj. What a rule
  // wrote before it failed stays written.
  int32_t AddDataObject(CDataObject& dobj, EnumOverwriteMode lOverwriteMode);
  // Writes an existing record (its key field) through the rules; the key.
  // Refusals and failures as AddDataObject, wrapped enumErrorUpdateDataObject.
  int32_t UpdateDataObject(CDataObject& dobj, EnumOverwriteMode lOverwriteMode);
  // Removes a record and what cascades with it; bDeleteReferences lets
  // attribute (value) deletes clear the pilots' references instead of
  // refusing (enumErrorDeleteRefToPilot). Wrapped enumErrorDeleteDataObject.
  void DeleteDataObject(const std::string& strType, int32_t lPk, bool bDeleteReferences);
  // AddDataObject without its error mapping, for the copy between files:
  // the rule's value as it is (a key, NULL or an error value with the
  // refusal code), errors unwrapped, the modified flag untouched. Hosts use
  // AddDataObject.
  Variant AddDataObjectInternal(CDataObject& dobj, EnumOverwriteMode lOverwriteMode);

  // --- Lists ---
  // The two collection types only: "docPilotAttribute" (a pilot's attribute
  // values, lPk a pilot key) and "docTaskTurnpoint" (a task's turnpoints,
  // lPk a task key); Create... gives an empty one. Any other name fails
  // unwrapped with enumErrorUndefinedDataObject ("Undefined data object
  // collection type'<name>'"); to list other types use ListDataObjects.
  // strFilter and strOrder are engine criteria and ORDER BY texts. Other
  // failures wrapped enumErrorGetDataObjectCollection.
  CDataObjectCollectionPtr CreateDataObjectCollection(const std::string& strType);
  CDataObjectCollectionPtr GetDataObjectCollection(const std::string& strType, int32_t lPk,
                                                   const Variant& strFilter = {}, const Variant& strOrder = {});
  // Replaces the owner's members with the collection's, through the rules.
  // Wrapped enumErrorUpdateDataObjectCollection; members written before a
  // failure stay written.
  void UpdateDataObjectCollection(CDataObjectCollection& dobj);

  // --- Task and result queries ---
  // Errors of these leave unwrapped (engine and runtime numbers); rows
  // changed before a failure stay changed.
  // The task's tasResultsType; 3021 for a key without a task.
  std::string TaskResultsType(int32_t pkTask);
  // Whether any result of the task has a status other than "NYP".
  bool TaskHasResults(int32_t pkTask);
  int32_t TaskTurnpointCount(int32_t pkTask);
  // Deletes the task's results and adds an empty one for every pilot.
  void ResetTaskResults(int32_t pkTask);
  // Whether a pilot who reached lTPReached turnpoints reached the task's
  // end of speed section ("ES"); false without one.
  bool FlightTimeNeeded(int32_t pkTask, int32_t lTPReached);
  // Sets resSSTime of every result of the task.
  void AssignStartTimeToPilots(int32_t pkTask, double timStart);
  // Marks the task (0: every task) as needing computing.
  void SetTaskRecomputingFlag(int32_t pkTask);

  // --- XML export and import (formats in docs/LIBRARY.md) ---
  // !! Only lType == enumExportXML (1) writes anything. Any other value,
  // !! 0 included, returns at once: no file, no error, no progress call.
  // !! frmProgress is required: nullptr fails with 91 (NullProgress is a
  // !! ready-made one). lVersion changes nothing.
  // The file is written beside strPath and renamed when complete, so a
  // failed export leaves an existing file as it was; errors leave unwrapped
  // (75 for a file that cannot be written, 3021 for a missing task).
  void ExportDB(const std::string& strPath, enumDBVersion lVersion, enumExportFormat lType, DispatchPtr frmProgress);
  void ExportTask(const std::string& strPath, int32_t lPkTask, enumExportFormat lType, DispatchPtr frmProgress);
  void ExportTaskResult(const std::string& strPath, int32_t lPkTask, enumExportFormat lType,
                        DispatchPtr frmProgress);
  // Merge a database XML file row by row by key (existing keys are
  // overwritten, nothing is deleted): every table, only the pilot tables,
  // only the turnpoints. frmProgress is required (91 for nullptr).
  // enumErrorImportXML for a file that cannot be loaded, has the wrong root
  // or a DOCTYPE (nothing written), or a row the engine refuses (the rows
  // before it stay written). lMode (extension): enumImportAllOrNothing
  // leaves the file as it was when the import fails; the default keeps what
  // was written before.
  void ImportDBFromXML(const std::string& strPath, DispatchPtr frmProgress,
                       enumImportMode lMode = enumImportKeepWritten);
  void ImportPilotsFromXML(const std::string& strPath, DispatchPtr frmProgress,
                           enumImportMode lMode = enumImportKeepWritten);
  void ImportTurnpointsFromXML(const std::string& strPath, DispatchPtr frmProgress,
                               enumImportMode lMode = enumImportKeepWritten);
  // Updates the existing results of the task a result file names, through
  // the result rules. Every failure becomes enumErrorImportXML with the
  // cause's text; results written before it stay written (lMode as above).
  void ImportTaskResultFromXML(const std::string& strPath, DispatchPtr frmProgress,
                               enumImportMode lMode = enumImportKeepWritten);

  // --- Copy between database files ---
  // Copies the records aPk of type strDO from another file, each through
  // the rules with a new key. A duplicate is put to frmAskOverwrite (skipped
  // when nullptr); the three uniqueness conflicts are reported with the
  // texts of aMessage (pilot number, pilot ID, turnpoint ID; "%s" for the
  // name and the value). frmProgress may be nullptr; its CancelPressed
  // stops the copy. Returns 0. Errors leave unwrapped; records copied
  // before stay written (lMode (extension) as for the imports).
  int32_t InsertDataObjectsFrom(const std::string& strDO, const std::string& strDBPathFrom,
                                const std::vector<int32_t>& aPk, DispatchPtr frmProgress,
                                DispatchPtr frmAskOverwrite, const std::vector<std::string>& aMessage,
                                enumImportMode lMode = enumImportKeepWritten);
  // Copies the catalogue part (gliders, attribute values, origins, report
  // strings) of another file; a colliding row stops the copy with
  // enumErrorRecordsetExists, the rows before it stay written. Returns 0.
  int32_t InsertCatalogFrom(const std::string& strCatalogPath, enumImportMode lMode = enumImportKeepWritten);
  // Rewrites the references of a record read from objAnotherDatabase so
  // that it can be added to this file. Returns 0.
  int32_t SetContext(CDataObject& dobj, CDatabase& objAnotherDatabase);

  // --- Waypoint files ---
  // Adds the waypoints of an OziExplorer file as turnpoints; existing names
  // are overwritten only when the user interface answers Yes (asked once).
  // Errors leave unwrapped with " (line N)" (53, 62, 9, 13); waypoints saved
  // before stay saved. lMode (extension) as for the XML imports; declining
  // to overwrite is no failure. enumImportAllOrNothing also refuses a
  // latitude beyond +-90, a longitude beyond +-180 or one that is no finite
  // number (6, naming the line), and says what a waypoint line must hold
  // when one cannot be read.
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

  // --- Catalogue merge (extension) ---
  // Brings every catalogue row of another file into this one, matched on
  // the natural keys the rules use, references mapped to this file's keys,
  // all or nothing; a second run adds and changes nothing. frmAskOverwrite
  // is the copy's overwrite question (enumMergeAsk only). docs/REFERENCES.md.
  CatalogMergeReport MergeCatalogFrom(const std::string& strSourcePath, EnumMergeMode lMode, DispatchPtr frmProgress,
                                      DispatchPtr frmAskOverwrite = nullptr);

  // --- Reference audit and repair (extension) ---
  // Missing rows behind references, duplicate start numbers and global IDs,
  // attribute slots against attribute rows, missing or doubled results.
  std::vector<ReferenceFinding> AuditReferences();
  // Fixes the repairable findings in one transaction (a dry run rolls it
  // back); duplicates are only reported.
  ReferenceRepairReport RepairReferences(bool bDryRun);
  // The reference fields of a record (only those named, or all) whose value
  // names no row, for hosts that refuse such a write.
  std::vector<ReferenceFinding> MissingReferences(const CDataObject& dobj,
                                                  const std::vector<std::string>& fieldNames = {});
  // The rows that refer to the record of that type and key.
  std::vector<ReferenceFinding> ReferencesTo(const std::string& strType, int32_t lPk);
  // --- Task files and the optimised distance (extension) ---
  // One task for pilots' instruments and maps: "xctsk", "qr" (the XCTSK:
  // text), "qr-svg", "qr-png", "cup", "kml", "geojson" or "map" (an SVG
  // page); "" takes the format from the extension (docs/TASK_FILES.md).
  void ExportTaskToFile(const std::string& strPath, const std::string& strFormat, int32_t lPkTask,
                        DispatchPtr frmProgress);
  // The text of the task's QR code ("XCTSK:" and the compact form).
  std::string TaskQrText(int32_t lPkTask);
  // An XCTrack task file (.xctsk or the XCTSK: text) into the task lPkTask,
  // or a new task when 0; returns the task's key. All or nothing.
  int32_t ImportTaskFromFile(const std::string& strPath, int32_t lPkTask, DispatchPtr frmProgress);
  // The shortest route through the task's cylinders on WGS 84, stored in
  // ttpDistanceDiff, ttpDistanceTotal, tasDistance and tasSSDistance (km) in
  // one transaction; returns tasDistance.
  double ComputeTaskDistance(int32_t lPkTask);

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
  // nullptr restores the default, which writes prompts to standard error
  // and answers vbNo to questions.
  void SetUserInterface(std::shared_ptr<UserInterface> ui);
  UserInterface& GetUserInterface() const { return *m_objUserInterface; }

  // --- Host extensions: listing, counting, checking ---
  // Calls visit with each record of a data object type (any type that
  // CreateDataObject knows, doPilot, doTurnpoint, doResult ...) in the order
  // strOrder gives (the view's own order when empty), restricted to the rows
  // matching strFilter when it is not empty. Filter and order are criteria
  // and ORDER BY texts of the engine (like GetDataObjectCollection's); every
  // literal in them is bound, never run as SQL. Each record is a new object
  // the host may keep. visit returns false to stop early. Runs in one read
  // transaction; visit runs inside it and may read through this facade but
  // not write. Errors: enumErrorUndefinedDataObject for an unknown type, 91
  // when no database is open, 3075 or 3265 (engine) for a filter or order
  // it cannot read; an exception from visit leaves unchanged.
  using DataObjectVisitor = std::function<bool(const CDataObjectPtr&)>;
  void ForEachDataObject(const std::string& strType, const DataObjectVisitor& visit,
                         const std::string& strFilter = "", const std::string& strOrder = "");
  // ForEachDataObject's records gathered into a list.
  std::vector<CDataObjectPtr> ListDataObjects(const std::string& strType, const std::string& strFilter = "",
                                              const std::string& strOrder = "");
  // The member type of a collection type ("docTaskTurnpoint" gives
  // "doTaskTurnpoint"); enumErrorUndefinedDataObject for any other name.
  std::string CollectionMemberType(const std::string& strType) const;
  // Every table of the open file with its row count, in the file's order.
  // 91 when no database is open.
  std::vector<std::pair<std::string, int32_t>> TableRowCounts();
  // The engine's consistency check of the whole open file: "ok", or its
  // findings joined by "; ". 91 when no database is open.
  std::string IntegrityCheck();
  // The record's display name, as the copy's overwrite questions show it
  // ("?" for types without one); a NULL part fails with 94.
  std::string DisplayName(const CDataObject& dobj) const;
  // Whether a database is open, and whether anything was written since it
  // was opened.
  bool IsOpen() const { return m_bOpen; }
  bool IsModified() const { return m_bModified; }

 private:
  // The component's own parts reach the rule objects through
  // FacadeInternals (database/FacadeInternals.h).
  friend class FacadeInternals;
  CRuleObjects& RuleObjects();
  void SetModified() { m_bModified = true; }
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
  std::unique_ptr<ViewLayouts> m_objLayouts;  // of the open database's views
  std::shared_ptr<UserInterface> m_objUserInterface;
};

}  // namespace zazorazari
#pragma GCC visibility pop
