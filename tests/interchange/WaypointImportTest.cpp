// Waypoint file import: every column of a line checked against its own
// computation, the overwrite question, datum lines, names in another
// encoding, line ends, and the line numbers of the failures. (Names that
// need quoting are the injection test's.)
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "interchange/InterchangeTestSupport.h"
#include "support/ErrorCapture.h"
#include "zazorazari/geodesy/modDistance.h"
#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/platform/UserInterface.h"

namespace {

using namespace zazorazari;
using zaztest::CaughtError;
using zaztest::ProgressRecorder;
using zaztest::TestDatabase;

// Answers every question the same way and keeps the prompts and titles.
struct ScriptedAnswer : UserInterface {
  explicit ScriptedAnswer(int32_t answer) : answer(answer) {}
  int32_t MsgBox(const std::string& prompt, int32_t buttons, const std::string& title) override {
    asked.push_back(prompt + "|" + std::to_string(buttons) + "|" + title);
    return answer;
  }
  void SetMousePointer(int32_t) override {}
  int32_t answer;
  std::vector<std::string> asked;
};

const std::string kHeader = "OziExplorer Waypoint File Version 1.1\r\n";
const std::string kTail = "\r\nReserved 2\r\nReserved 3\r\n";

class WaypointImport : public ::testing::Test {
 protected:
  // A waypoint file with the given datum line and waypoint lines (CR LF).
  std::string WptFile(const std::string& datum, const std::vector<std::string>& lines) {
    std::string text = kHeader + datum + kTail;
    for (const auto& line : lines) text += line + "\r\n";
    return Raw(text);
  }
  std::string Raw(const std::string& bytes) {
    const std::string path = t.Dir().File("points" + std::to_string(++files) + ".wpt");
    zaztest::WriteFile(path, bytes);
    return path;
  }
  void Import(const std::string& path) { t.Db().ImportTurnpointsFromWPT(path, progress.object); }
  std::string Column(std::string name, const std::string& column) {
    for (size_t at = name.find('\''); at != std::string::npos; at = name.find('\'', at + 2)) name.insert(at, "'");
    return t.Scalar("SELECT " + column + " FROM tblTurnpoint WHERE trnName = '" + name + "'");
  }
  double Number(const std::string& name, const std::string& column) { return std::stod(Column(name, column)); }
  std::shared_ptr<ScriptedAnswer> Answer(int32_t answer) {
    auto ui = std::make_shared<ScriptedAnswer>(answer);
    t.Db().SetUserInterface(ui);
    return ui;
  }

  TestDatabase t;
  ProgressRecorder progress;
  int files = 0;
};

// Whole minutes and the seconds left of the fraction digits, computed as
// total seconds of the absolute value.
void ExpectDegreeColumns(double stored, double decimal, int16_t degree, int16_t minute, double second,
                         const std::string& what) {
  const double absolute = std::fabs(stored);
  const double fractionSeconds = (absolute - std::floor(absolute)) * 3600.0;
  EXPECT_DOUBLE_EQ(decimal, stored) << what;
  EXPECT_EQ(degree, static_cast<int16_t>(std::trunc(stored))) << what;
  EXPECT_EQ(minute, static_cast<int16_t>(std::floor(fractionSeconds / 60.0 + 1e-9))) << what;
  EXPECT_NEAR(second, fractionSeconds - 60.0 * minute, 1e-6) << what;
}

TEST_F(WaypointImport, Wgs84LinesFillEveryColumn) {
  // Names in Windows-1252 (as GPSBabel writes them) or UTF-8; the altitude
  // field is never kept.
  const struct {
    const char* line;
    const char* name;
    double lat, lon;
  } points[] = {{"1,Fiesch,46.5,8.25,,0,1,3,0,65535,,0,0,0,3500", "Fiesch", 46.5, 8.25},
                {"2,Santiago,-33.25,-70.5", "Santiago", -33.25, -70.5},
                {"3,Equator East,-0.5,151.125", "Equator East", -0.5, 151.125},
                {"4,Pilot's Hill,10.123456,-0.5", "Pilot's Hill", 10.123456, -0.5},
                {"5,Z\xC3\xBCrich,47.3769,0.5", "Zürich", 47.3769, 0.5},
                {"6,M\xFCllerh\xFCtte \x80,59.75,10.758333", "Müllerhütte €", 59.75, 10.758333}};
  std::vector<std::string> lines;
  for (const auto& p : points) lines.push_back(p.line);
  auto ui = Answer(vbYes);
  Import(WptFile("WGS 84", lines));

  EXPECT_EQ(progress.Percentages(), (std::vector<double>{1, 100}));
  ASSERT_EQ(progress.calls.size(), 2u);
  EXPECT_EQ(progress.calls[0].VarType(), vtInteger);
  EXPECT_TRUE(ui->asked.empty());
  ASSERT_EQ(t.Count("tblTurnpoint"), static_cast<long long>(std::size(points)));
  for (const auto& p : points) {
    SCOPED_TRACE(p.name);
    EXPECT_EQ(Column(p.name, "trnID"), p.name);
    EXPECT_EQ(Column(p.name, "geoPk"), "243");
    EXPECT_EQ(Column(p.name, "oriPk"), "1");
    EXPECT_EQ(Column(p.name, "trnPositionType"), "GEO");
    EXPECT_EQ(Column(p.name, "trnPositionLatitudeDirection"), p.lat > 0 ? "N" : "S");
    EXPECT_EQ(Column(p.name, "trnPositionLongitudeDirection"), p.lon > 0 ? "E" : "W");
    for (const std::string axis : {"Latitude", "Longitude"}) {
      const auto column = [&](const char* part) { return Number(p.name, "trnPosition" + axis + part); };
      ExpectDegreeColumns(axis == "Latitude" ? p.lat : p.lon, column("Decimal"),
                          static_cast<int16_t>(column("Degree")), static_cast<int16_t>(column("Minute")),
                          column("Second"), axis);
    }
    double northing = 0, easting = 0;
    int16_t zone = 0;
    Variant letter;
    ConvertLatLongToUTM(p.lat, p.lon, northing, easting, zone, letter);
    EXPECT_EQ(Number(p.name, "trnPositionEastings"), easting);
    EXPECT_EQ(Number(p.name, "trnPositionNorthings"), northing);
    EXPECT_EQ(Number(p.name, "trnPositionMapZone"), zone);
    EXPECT_EQ(Number(p.name, "trnPositionAltitude"), 0);
  }
  // The fixed cases: -33.25 is 33 degrees 15 minutes south; -0.5 keeps degree 0.
  EXPECT_EQ(Column("Santiago", "trnPositionLatitudeDegree"), "-33");
  EXPECT_EQ(Column("Santiago", "trnPositionLatitudeMinute"), "15");
  EXPECT_EQ(Column("Pilot's Hill", "trnPositionLongitudeDegree"), "0");
  EXPECT_EQ(Column("Pilot's Hill", "trnPositionLongitudeMinute"), "30");
}

TEST_F(WaypointImport, OverwriteQuestionIsAskedOnceAndYesOverwritesEveryDuplicate) {
  t.Sql("INSERT INTO tblTurnpoint (trnName, trnID, oriPk) VALUES ('Fiesch', 'FIE', 7), ('Brig', 'BRI', 7)");
  auto ui = Answer(vbYes);
  Import(WptFile("WGS 84", {"1,FIESCH,46.5,8.25", "2,Sion,46.25,7.5", "3,Brig,46.3,7.9"}));

  EXPECT_EQ(ui->asked, (std::vector<std::string>{"Overwrite old waypoints|4|Information"}));
  EXPECT_EQ(t.Count("tblTurnpoint"), 3);
  EXPECT_EQ(t.Count("tblTurnpoint", "trnName = 'FIESCH' COLLATE BINARY AND trnID = 'FIESCH' AND oriPk = 1"), 1);
  EXPECT_EQ(t.Count("tblTurnpoint", "trnName = 'Brig' AND trnID = 'Brig' AND trnPositionLatitudeDecimal = 46.3"), 1);
  EXPECT_EQ(progress.Percentages(), (std::vector<double>{1, 100}));
}

TEST_F(WaypointImport, NoEndsTheImportAndKeepsWhatWasSaved) {
  t.Sql("INSERT INTO tblTurnpoint (trnName, trnID) VALUES ('Fiesch', 'FIE'), ('Brig', 'BRI')");
  auto ui = Answer(vbNo);
  Import(WptFile("WGS 84", {"1,Sion,46.25,7.5", "2,Fiesch,46.5,8.25", "3,Visp,46.3,7.9", "4,Brig,46.3,7.9"}));

  EXPECT_EQ(ui->asked.size(), 1u);
  EXPECT_EQ(t.Count("tblTurnpoint"), 3);
  EXPECT_EQ(t.Count("tblTurnpoint", "trnName = 'Sion'"), 1);
  EXPECT_EQ(t.Count("tblTurnpoint", "trnID IN ('FIE', 'BRI') AND trnPositionType IS NULL"), 2);
  EXPECT_EQ(progress.Percentages(), (std::vector<double>{1}));
}

TEST_F(WaypointImport, OtherDatumStoresOnlyTheNameAndUtmReadsTheGrid) {
  Import(WptFile("Potsdam Rauenberg DHDN", {"1,Wasserkuppe,50.5,9.95"}));
  Import(WptFile("UTM", {"1,Fiesch,432100,5140000.5,32,1050,ignored"}));
  EXPECT_EQ(t.Count("tblTurnpoint",
                    "trnName = 'Wasserkuppe' AND trnID = 'Wasserkuppe' AND geoPk = 243 AND COALESCE(trnPositionType,"
                    " oriPk, trnPositionLatitudeDecimal, trnPositionLatitudeDirection, trnPositionEastings,"
                    " trnPositionAltitude, trnPositionMapZone) IS NULL"),
            1);
  EXPECT_EQ(t.Count("tblTurnpoint", "trnPositionType = 'UTM' AND trnPositionEastings = 432100 AND "
                                    "trnPositionNorthings = 5140000.5 AND trnPositionMapZone = 32 AND "
                                    "trnPositionAltitude = 1050 AND geoPk = 243 AND oriPk IS NULL AND "
                                    "trnPositionLatitudeDecimal IS NULL"),
            1);
}

TEST_F(WaypointImport, LineEndsCrLfOrLfAndALastLineWithoutEnd) {
  Import(Raw("h\nWGS 84\nr\nr\n1,Lf,46.5,8.5\n2,CrLf,46.5,8.5\r\n3,Last,46.5,8.5"));
  EXPECT_EQ(t.Count("tblTurnpoint", "trnName IN ('Lf', 'CrLf', 'Last') AND trnPositionLongitudeDecimal = 8.5"), 3);
}

TEST_F(WaypointImport, FailuresNameTheLineAndKeepTheRowsBefore) {
  struct Case {
    std::string content;
    int32_t number;
    int line;
    long long rowsKept;
  };
  const std::string wgs = kHeader + "WGS 84" + kTail + "1,Good,46.5,8.25\r\n";
  const std::vector<Case> cases = {
      {kHeader + "WGS 84\r\nReserved 2\r\n", errInputPastEndOfFile, 4, 0},
      {wgs + "2,Short,46.5\r\n", errSubscriptOutOfRange, 6, 1},
      {wgs + "\r\n", errSubscriptOutOfRange, 6, 1},
      {wgs + "2,Fine,46.5,8.25\r\n3,NoPoint,46,8.25\r\n", errSubscriptOutOfRange, 7, 2},
      {wgs + "2,Letters,46.5,8.2x\r\n", errTypeMismatch, 6, 1},
      {kHeader + "UTM" + kTail + "1,Band,432100,5140000,32T,1050\r\n", errTypeMismatch, 5, 0},
      {kHeader + "UTM" + kTail + "1,NoAltitude,432100,5140000,32\r\n", errSubscriptOutOfRange, 5, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content);
    t.Sql("DELETE FROM tblTurnpoint");
    const Error e = CaughtError([&] { Import(Raw(c.content)); });
    EXPECT_EQ(e.Number(), c.number);
    EXPECT_EQ(e.Source(), "ZAZorazari");
    EXPECT_EQ(e.Description(), ErrorDescription(c.number) + " (line " + std::to_string(c.line) + ")");
    EXPECT_EQ(t.Count("tblTurnpoint"), c.rowsKept);
  }
  EXPECT_EQ(CaughtError([&] { Import(t.Dir().File("missing.wpt")); }).Number(), errFileNotFound);
}

}  // namespace
