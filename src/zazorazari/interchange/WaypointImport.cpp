// Import of an OziExplorer waypoint file into the turnpoint table: new names
// are added, existing ones overwritten after one question to the user.
#include <cmath>
#include <memory>
#include <string>
#include <tuple>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/interchange/TurnpointPosition.h"
#include "zazorazari/interchange/WaypointFileReader.h"
#include "zazorazari/interchange/WaypointLine.h"
#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/platform/UserInterface.h"

namespace zazorazari {

using namespace interchange;

namespace {

constexpr int32_t kHeaderLines = 4;
constexpr int32_t kDatumLine = 2;
constexpr int32_t kWgs84GeoPk = 243;  // tblGeoDate row of "WGS 84"
constexpr int32_t kUnknownOriginPk = 1;

// Assigns a column of the row being added or edited.
SetColumn RowSetter(engine::Recordset& rs) {
  return [&rs](const std::string& column, const Variant& value) { rs.Fields(column).SetValue(value); };
}

// Writes the waypoint into the row being added or edited.
void FillTurnpoint(engine::Recordset& rs, const WaypointLine& waypoint, WaypointDatum datum) {
  rs.Fields("trnName").SetValue(waypoint.name);
  rs.Fields("trnID").SetValue(waypoint.name);
  rs.Fields("geoPk").SetValue(kWgs84GeoPk);
  if (datum == WaypointDatum::Geographic) {
    rs.Fields("trnPositionType").SetValue("GEO");
    rs.Fields("oriPk").SetValue(kUnknownOriginPk);
    // altitude 0: the file's altitude is in feet and often missing
    ForEachPositionColumn(GeographicPositionOf(waypoint.latitude, waypoint.longitude), RowSetter(rs));
  } else if (datum == WaypointDatum::Grid) {
    rs.Fields("trnPositionType").SetValue("UTM");
    ForEachGridColumn(waypoint.grid, RowSetter(rs));
  }
}

// The four header lines; returns the datum line.
std::string ReadHeader(WaypointFileReader& file) {
  std::string line;
  std::string datumLine;
  for (int32_t number = 1; number <= kHeaderLines; ++number) {
    if (!file.ReadLine(line)) throw LineError(errInputPastEndOfFile, number);
    if (number == kDatumLine) datumLine = line;
  }
  return datumLine;
}

// The line's waypoint; `bChecked` adds what is wrong to a failure and
// refuses positions that are no place on earth.
WaypointLine CheckedWaypointLine(const std::string& line, WaypointDatum datum, int32_t lineNumber, bool bChecked) {
  if (!bChecked) return ParseWaypointLine(line, datum, lineNumber);
  WaypointLine waypoint;
  try {
    waypoint = ParseWaypointLine(line, datum, lineNumber);
  } catch (const Error& e) {
    const char* what = e.Number() == errEngineConversion
                           ? "the name holds a NUL character"
                           : "a waypoint line is number, name, latitude and longitude in decimal degrees with a "
                             "point (\"1,Fiesch,46.4,8.125\")";
    throw Error(e.Number(), e.Source(), e.Description() + ": " + what);
  }
  if (datum == WaypointDatum::Geographic) {
    for (const auto& [column, value, limit] : {std::tuple{"latitude", waypoint.latitude.decimal, 90},
                                               std::tuple{"longitude", waypoint.longitude.decimal, 180}}) {
      if (!std::isfinite(value) || std::fabs(value) > limit) {
        throw Error(errOverflow, kRuntimeSource,
                    ErrorDescription(errOverflow) + " (line " + std::to_string(lineNumber) + ", " + column +
                        "): it must lie between -" + std::to_string(limit) + " and " + std::to_string(limit));
      }
    }
  }
  return waypoint;
}

// Adds or overwrites a turnpoint for every waypoint line; false when the
// user declined to overwrite (what is saved by then stays).
bool ImportWaypointLines(CDatabase& db, engine::Recordset& turnpoints, const std::string& strPath, bool bChecked) {
  WaypointFileReader file(strPath);
  const WaypointDatum datum = DatumOfLine(ReadHeader(file));
  bool bAsk = true;
  std::string line;
  while (file.ReadLine(line)) {
    const WaypointLine waypoint = CheckedWaypointLine(line, datum, file.LineNumber(), bChecked);
    turnpoints.FindFirst(SqlEqualText("trnName", waypoint.name));
    if (turnpoints.NoMatch()) {
      turnpoints.AddNew();
    } else {
      if (bAsk) {
        if (db.GetUserInterface().MsgBox("Overwrite old waypoints", vbYesNo, "Information") == vbNo) return false;
        bAsk = false;  // later duplicates are overwritten unasked
      }
      turnpoints.Edit();
    }
    FillTurnpoint(turnpoints, waypoint, datum);
    turnpoints.Update();
  }
  return true;
}

}  // namespace

void CDatabase::ImportTurnpointsFromWPT(const std::string& strPath, DispatchPtr frmProgress, enumImportMode lMode) {
  InImportTransaction(*this, lMode, [&] {
    ReportProgress(frmProgress, int16_t{1});
    const auto engineDb = DatabaseObject();
    if (!engineDb) throw RuntimeError(errObjectNotSet);
    const auto turnpoints = engineDb->OpenRecordset("tblTurnpoint", engine::dbOpenDynaset);
    if (ImportWaypointLines(*this, *turnpoints, strPath, lMode == enumImportAllOrNothing)) {
      ReportProgress(frmProgress, int16_t{100});
    }
  });
}

}  // namespace zazorazari
