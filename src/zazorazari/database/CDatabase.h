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
  void ImportDBFromXML(const std::string& strPath, DispatchPtr frmProgress);
  void ImportPilotsFromXML(const std::string& strPath, DispatchPtr frmProgress);
  void ImportTurnpointsFromXML(const std::string& strPath, DispatchPtr frmProgress);
  void ImportTaskResultFromXML(const std::string& strPath, DispatchPtr frmProgress);

  // --- Copy between database files ---
  int32_t InsertDataObjectsFrom(const std::string& strDO, const std::string& strDBPathFrom,
                                const std::vector<int32_t>& aPk, DispatchPtr frmProgress,
                                DispatchPtr frmAskOverwrite, const std::vector<std::string>& aMessage);
  int32_t InsertCatalogFrom(const std::string& strCatalogPath);
  int32_t SetContext(CDataObject& dobj, CDatabase& objAnotherDatabase);

  // --- Waypoint files ---
  void ImportTurnpointsFromWPT(const std::string& strPath, DispatchPtr frmProgress);

  // --- Turnpoint files (extension) ---
  // SeeYou .cup, GPX, GeoJSON or OziExplorer .wpt ("cup", "gpx", "geojson",
  // "ozi"; "" detects the format). Every waypoint goes through the turnpoint
  // rules; a fault in the file writes nothing, refused waypoints are
  // reported together after the rest is stored (docs/TURNPOINT_FILES.md).
  void ImportTurnpointsFromFile(const std::string& strPath, const std::string& strFormat,
                                EnumOverwriteMode lOverwriteMode, DispatchPtr frmProgress);
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
  std::string m_strPath;
  CDataObjectPtr m_objCompetition;
  int32_t m_lDBVersionFile = 0;
  int32_t m_lFileType = 0;
  int32_t m_lLastDuplicatedPk = 0;
  std::shared_ptr<engine::Database> m_objDatabase;
  std::unique_ptr<CRuleObjects> m_objRules;
  std::shared_ptr<UserInterface> m_objUserInterface;
};

}  // namespace zazorazari
