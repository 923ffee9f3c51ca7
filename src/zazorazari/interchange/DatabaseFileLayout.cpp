// The tables and columns of the database file (see DatabaseFileLayout.h).
#include "zazorazari/interchange/DatabaseFileLayout.h"

#include <cstring>

namespace zazorazari::interchange {

namespace {

constexpr ValueForm T = ValueForm::Text;
constexpr ValueForm P = ValueForm::Plain;
constexpr ValueForm D = ValueForm::TypedDate;
constexpr ValueForm F = ValueForm::TypedNumber;
constexpr bool N = true;  // left out when NULL

// Columns in the text form, always written.
std::vector<ExportColumn> TextColumns(std::initializer_list<const char*> names) {
  std::vector<ExportColumn> columns;
  for (const char* name : names) columns.push_back({name, T, false});
  return columns;
}

std::vector<ExportTable> BuildTables() {
  std::vector<ExportTable> tables;
  tables.push_back({"tblAttribute", 10, {{"attPk", P, false}, {"attName", T, false}}});
  tables.push_back({"tblAttributeValue", 20, {{"avaPk", P, false}, {"attPk", P, false}, {"avaValue", T, false}}});
  tables.push_back({"tblGeoDate", 25, TextColumns({"gedPk", "gedName", "gedEllipsoid", "gedDelta", "gedDelta1f",
                                                   "gedDeltaX", "gedDeltaY", "gedDeltaZ"})});
  tables.push_back({"tblNation", 30, TextColumns({"natPk", "natName", "natCode2", "natCode3", "natNumber"})});
  tables.push_back({"tblOrigin", 35, TextColumns({"oriPk", "natPk"})});
  tables.push_back({"tblTurnpoint",
                    40,
                    {{"trnPk", P, false},
                     {"trnName", T, false},
                     {"trnID", T, false},
                     {"trnPositionType", T, false},
                     {"trnPositionLatitudeDecimal", T, false},
                     {"trnPositionLatitudeDirection", T, false},
                     {"trnPositionLongitudeDecimal", T, false},
                     {"trnPositionLongitudeDirection", T, false},
                     {"trnPositionEastings", T, N},
                     {"trnPositionNorthings", T, N},
                     {"trnPositionAltitude", T, false},
                     {"trnPositionMapZone", T, N},
                     {"geoPk", T, false},
                     {"oriPk", T, false}}});
  tables.push_back({"tblManufacturer", 45, TextColumns({"manPk", "manName"})});
  tables.push_back({"tblGlider", 50, TextColumns({"gliPk", "gliName", "gliFAIClass", "manPk"})});
  tables.push_back({"tblReportString", 55, {{"rstPk", P, false}, {"rstCategory", P, false}, {"rstText", T, false}}});
  tables.push_back({"tblFormulaCompetition", 60, TextColumns({"forPk", "forParameter"})});

  std::vector<ExportColumn> competition = {{"comPk", T, false},        {"comName", T, false},
                                           {"comLocation", T, N},      {"comDateFrom", D, false},
                                           {"comDateTo", D, false},    {"comFAIClass", T, false}};
  for (const char* name : {"comSponsor", "comSponsorGraphic", "comRange", "comMeetDirName", "comMeetDirAddress1",
                           "comMeetDirAddress2", "comMeetDirCountry", "comMeetDirZipCity", "comMeetDirPhone",
                           "comMeetDirMobile", "comMeetDirEMail", "comComment", "attPk1", "attPk2", "attPk3",
                           "attPk4"}) {
    competition.push_back({name, T, N});
  }
  for (const char* name : {"comFinished", "comFormulaID", "comCatalogDatabase", "comPilotBirthdate", "comPilotNation",
                           "comPilotRegion", "comPilotSign", "comPilotGlider", "comPilotSponsor", "comPilotRank",
                           "comPilotID"}) {
    competition.push_back({name, T, false});
  }
  tables.push_back({"tblCompetition", 65, competition});

  tables.push_back({"tblPilot",
                    70,
                    {{"pilPk", P, false},
                     {"pilIDGlobal", T, false},
                     {"pilFirstName", T, false},
                     {"pilLastName", T, false},
                     {"pilSex", T, false},
                     {"pilBirthday", D, N},
                     {"pilNumber", T, N},
                     {"gliPk", T, N},
                     {"oriPk", T, N},
                     {"pilSponsor", T, N},
                     {"pilRank", T, N},
                     {"pilAddress1", T, false},
                     {"pilAddress2", T, false},
                     {"pilAddressZIPCity", T, false},
                     {"pilAddressCountry", T, false},
                     {"pilAddressPhone", T, false},
                     {"pilAddressEMail", T, false},
                     {"pilAddressMobile", T, false},
                     {"pilComment", T, false},
                     {"avaPk1", T, N},
                     {"avaPk2", T, N},
                     {"avaPk3", T, N},
                     {"avaPk4", T, N},
                     {"pilCompetitionScore", T, N},
                     {"pilCompetitionPlace", T, N},
                     {"pilTaskPlaceSum", T, N}}});
  tables.push_back({"tblPilotAttribute", 75, TextColumns({"patPk", "pilPk", "avaPk"})});
  tables.push_back({"tblFormulaTask", 80, TextColumns({"fotPk", "fotFormulaID", "tasPk", "fotParameter"})});

  std::vector<ExportColumn> result = {{"resPk", P, false},         {"pilPk", T, false},
                                      {"tasPk", T, false},         {"resStatus", T, false},
                                      {"resTurnpointsReached", T, false}, {"resPositionType", T, false}};
  for (const char* name :
       {"resPositionLatitudeDecimal", "resPositionLatitudeDirection", "resPositionLatitudeDegree",
        "resPositionLatitudeMinute", "resPositionLatitudeSecond", "resPositionLongitudeDecimal",
        "resPositionLongitudeDirection", "resPositionLongitudeDegree", "resPositionLongitudeMinute",
        "resPositionLongitudeSecond", "resPositionEastings", "resPositionNorthings", "resPositionCirceled",
        "resPositionAbsolute", "resPositionMapZone", "geoPk"}) {
    result.push_back({name, T, N});
  }
  result.insert(result.end(), {{"resSSTime", D, N},
                               {"resESTime", D, N},
                               {"resEstimated", T, N},
                               {"resPenaltyValue", T, N},
                               {"resPenaltyType", T, false},
                               {"resPenaltyValueAbsolute", T, false},
                               {"resComment", T, false},
                               {"resDirectScore", T, N},
                               {"resDirectPlace", T, false},
                               {"resTime", D, N},
                               {"resSpeed", T, false},
                               {"resDistance", T, false},
                               {"resDistanceReal", T, false},
                               {"resReachedES", T, false},
                               {"resArrivalScore", T, N},
                               {"resDepartureScore", T, N},
                               {"resSpeedScore", T, N},
                               {"resDistanceScore", T, false},
                               {"resScore", T, N},
                               {"resCommentCompute", T, false},
                               {"resPlaceES", T, false},
                               {"resPlace", T, false}});
  tables.push_back({"tblResult", 85, result});

  std::vector<ExportColumn> task = {{"tasPk", P, false}, {"tasDate", D, false}};
  for (const char* name : {"tasName", "tasResultsType", "tasStartType", "tasTaskType", "tasPositionType",
                           "tasDistance", "tasSSDistance", "tasSSOpen", "tasSSClose", "tasESClose",
                           "tasNeedsComputing", "tasLastPilotFilter", "tasTopScore"}) {
    task.push_back({name, T, false});
  }
  task.insert(task.end(), {{"tasTopSpeed", F, false},
                           {"tasTopDistance", T, false},
                           {"tasPilotsLaunched", T, false},
                           {"tasPilotsTotal", T, N},
                           {"tasPilotsGoal", T, false},
                           {"tasPilotsES", T, false},
                           {"tasPilotsLO", T, false},
                           {"tasRankWeight", T, false},
                           {"tasRankInternational", T, false}});
  tables.push_back({"tblTask", 90, task});

  // ttpCircle only exists in files of the current schema; the export
  // checks the column count before it writes it.
  std::vector<ExportColumn> taskTurnpoint =
      TextColumns({"ttpPk", "tasPk", "trnPk", "ttpNr", "ttpNrText", "ttpTimeGateType", "ttpDistanceDiff",
                   "ttpDistanceTotal"});
  taskTurnpoint.push_back({"ttpCircle", T, N});
  tables.push_back({"tblTaskTurnpoint", 95, taskTurnpoint});

  tables.push_back({"tblTeamScoring", 0,
                    TextColumns({"temPk", "temWhereClause", "temName", "temPlace", "temScore", "temTaskPlaceSum"})});
  // Every first attribute is the key in plain form, except comPk.
  for (auto& table : tables) {
    if (std::strcmp(table.name, "tblCompetition") != 0) table.columns.front().form = P;
  }
  return tables;
}

}  // namespace

const std::vector<ExportTable>& DatabaseFileTables() {
  static const std::vector<ExportTable> tables = BuildTables();
  return tables;
}

const ExportTable* FindDatabaseFileTable(const char* table) {
  for (const auto& candidate : DatabaseFileTables()) {
    if (std::strcmp(candidate.name, table) == 0) return &candidate;
  }
  return nullptr;
}

}  // namespace zazorazari::interchange
