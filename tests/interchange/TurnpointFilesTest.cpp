// Turnpoint files in and out: GPSBabel writes and reads every format as the
// outside reference; broken and hostile files fail naming the line and
// leave the database as it was; refusals are reported with their names.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "interchange/InterchangeTestSupport.h"
#include "support/ErrorCapture.h"
#include "zazorazari/geodesy/modDistance.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace {

using namespace zazorazari;
using zaztest::CaughtError;
using zaztest::ProgressRecorder;
using zaztest::TestDatabase;

struct Waypoint {
  std::string name;
  double lat = 0;
  double lon = 0;
  std::optional<double> ele;
};

// One point in every quadrant, names with quotes, commas, umlauts and an
// ampersand, one without elevation.
const std::vector<Waypoint> kPoints = {{"Grüner \"Hügel\", Nord", 47.123456, 8.654321, 1234.4},
                                       {"Süd, West", -33.25, -70.5, 500},
                                       {"O'Brien", -0.5, 151.2, 12},
                                       {"Mühle & Co", 64.1, -21.9, std::nullopt},
                                       {"Äquator", 0.25, -0.75, 3}};

std::string XmlText(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

// What a format keeps of a name: GPSBabel drops commas from .cup and
// OziExplorer names, and quotes from .cup names too.
std::string KeptName(std::string name, const std::string& format) {
  for (const char dropped : format == "cup" ? std::string(",\"") : format == "ozi" ? std::string(",") : "") {
    std::erase(name, dropped);
  }
  return name;
}

bool HaveGpsBabel() { return std::system("command -v gpsbabel >/dev/null 2>&1") == 0; }

bool GpsBabel(const std::string& in, const std::string& from, const std::string& format, const std::string& to) {
  const std::string command =
      "gpsbabel -i " + in + " -f '" + from + "' -o " + format + " -F '" + to + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

class TurnpointFiles : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = t.Dir().File(name);
    zaztest::WriteFile(path, bytes);
    return path;
  }
  void Import(const std::string& path, const std::string& format = "",
              EnumOverwriteMode mode = enumOverwriteReturnPk) {
    t.Db().ImportTurnpointsFromFile(path, format, mode, progress.object);
  }
  // The error of the import, with the turnpoint table checked unchanged.
  Error ImportFails(const std::string& path, const std::string& format = "") {
    const long long before = t.Count("tblTurnpoint");
    try {
      Import(path, format);
    } catch (const Error& e) {
      EXPECT_EQ(t.Count("tblTurnpoint"), before) << e.Description();
      return e;
    }
    ADD_FAILURE() << path << " was imported";
    return Error(0, "", "");
  }

  TestDatabase t;
  ProgressRecorder progress;
};

// GPSBabel writes each format from a GPX file; the import reads it (the
// format known by the name), the export writes it again, and GPSBabel's GPX
// of that export, read with xmllint, holds the points of the first file.
TEST_F(TurnpointFiles, GpsBabelFilesOfEveryFormatImportAndExportBack) {
  if (!HaveGpsBabel()) GTEST_SKIP() << "gpsbabel is not installed";
  std::string gpx = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<gpx version=\"1.1\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
  for (const auto& p : kPoints) {
    gpx += "<wpt lat=\"" + std::to_string(p.lat) + "\" lon=\"" + std::to_string(p.lon) + "\">" +
           (p.ele ? "<ele>" + std::to_string(*p.ele) + "</ele>" : "") + "<name>" + XmlText(p.name) + "</name></wpt>\n";
  }
  const std::string source = Write("source.gpx", gpx + "</gpx>\n");

  for (const std::string format : {"cup", "gpx", "geojson", "ozi"}) {
    SCOPED_TRACE(format);
    TestDatabase db;
    // GPSBabel names an OziExplorer file .wpt whatever it is told.
    const std::string extension = format == "ozi" ? "wpt" : format;
    const std::string given = db.Dir().File("given." + extension);
    const std::string exported = db.Dir().File("exported." + extension);
    const std::string back = db.Dir().File("back.gpx");
    ASSERT_TRUE(GpsBabel("gpx", source, format, given));
    ProgressRecorder recorder;
    db.Db().ImportTurnpointsFromFile(given, "", enumOverwriteReturnPk, recorder.object);
    EXPECT_EQ(recorder.Percentages().front(), 1);
    EXPECT_EQ(recorder.Percentages().back(), 100);
    EXPECT_EQ(db.Scalar("SELECT group_concat(IFNULL(round(trnPositionAltitude), '-'), ',') FROM tblTurnpoint"),
              "1234.0,500.0,12.0,-,3.0");

    db.Db().ExportTurnpointsToFile(exported, "", 0, recorder.object);
    ASSERT_TRUE(GpsBabel(format, exported, "gpx", back));
    EXPECT_EQ(zaztest::XPath(back, "count(//*[local-name()=\"wpt\"])"), std::to_string(kPoints.size()));
    for (size_t i = 0; i < kPoints.size(); ++i) {
      const Waypoint& p = kPoints[i];
      const auto read = [&](const std::string& what) {
        return zaztest::XPath(back, "string((//*[local-name()=\"wpt\"])[" + std::to_string(i + 1) + "]/" + what + ")");
      };
      EXPECT_EQ(read("*[local-name()=\"name\"]"), KeptName(p.name, format));
      EXPECT_NEAR(std::stod(read("@lat")), p.lat, 1e-5) << p.name;
      EXPECT_NEAR(std::stod(read("@lon")), p.lon, 1e-5) << p.name;
      const std::string ele = read("*[local-name()=\"ele\"]");
      if (format == "geojson") continue;  // GPSBabel's GeoJSON reader drops every elevation
      ASSERT_EQ(!ele.empty(), p.ele.has_value()) << p.name;
      if (p.ele) {
        EXPECT_NEAR(std::stod(ele), *p.ele, 1.0) << p.name;
      }
    }
  }
}

TEST_F(TurnpointFiles, CupColumnsQuotingEncodingsAndLineEndsReachTheRules) {
  // Header in another order, a BOM, CR LF and LF mixed, a Windows-1252 line,
  // quoted commas and doubled quotes, elevations in ft and m, a task section.
  const std::string cup = "\xEF\xBB\xBF" "code,name,lat,lon,elev,country\r\n"
                          "SW1,\"Club \"\"Les Aigles\"\", Annecy\",3315.000S,07030.000W,1640ft,FR\n"
                          "M\xFCH,M\xFChle,4707.500N,00839.000E,1234.5m,\r\n"
                          "\r\n"
                          "-----Related Tasks-----\n"
                          "\"Task\",\"SW1\",\"SW1\"\n";
  Import(Write("mixed.cup", cup));

  ASSERT_EQ(t.Count("tblTurnpoint"), 2);
  const std::string club = "trnName = 'Club \"Les Aigles\", Annecy'";
  EXPECT_EQ(t.Scalar("SELECT trnID FROM tblTurnpoint WHERE " + club), "SW1");
  EXPECT_EQ(t.Scalar("SELECT trnPositionType || '/' || trnPositionLatitudeDirection || trnPositionLongitudeDirection"
                     " || '/' || trnPositionLatitudeDegree || '/' || trnPositionLatitudeMinute || '/' ||"
                     " trnPositionLongitudeDegree FROM tblTurnpoint WHERE " + club),
            "GEO/SW/-33/15/-70");
  EXPECT_NEAR(std::stod(t.Scalar("SELECT trnPositionAltitude FROM tblTurnpoint WHERE " + club)), 499.87, 0.01);
  EXPECT_EQ(t.Scalar("SELECT g.gedName FROM tblTurnpoint t JOIN tblGeoDate g ON g.gedPk = t.geoPk WHERE " + club),
            "WGS 84");
  // The second waypoint takes the datum key the first one found.
  EXPECT_EQ(t.Scalar("SELECT COUNT(*) FROM tblTurnpoint t JOIN tblGeoDate g ON g.gedPk = t.geoPk"
                     " WHERE g.gedName = 'WGS 84'"),
            "2");
  EXPECT_EQ(t.Scalar("SELECT n.natCode3 FROM tblTurnpoint t JOIN tblOrigin o ON o.oriPk = t.oriPk"
                     " JOIN tblNation n ON n.natPk = o.natPk WHERE " + club),
            "FRA");

  double northing = 0, easting = 0;
  int16_t zone = 0;
  Variant letter;
  ConvertLatLongToUTM(47.125, 8.65, northing, easting, zone, letter);
  EXPECT_EQ(t.Scalar("SELECT trnID || '/' || trnPositionLatitudeMinute || '/' || trnPositionLatitudeSecond || '/' ||"
                     " CAST(trnPositionEastings AS INTEGER) || '/' || CAST(trnPositionNorthings AS INTEGER) || '/' ||"
                     " trnPositionMapZone || '/' || trnPositionAltitude || '/' || (oriPk IS NULL)"
                     " FROM tblTurnpoint WHERE trnName = 'Mühle'"),
            "MüH/7/30.0/" + std::to_string(static_cast<long long>(easting)) + "/" +
                std::to_string(static_cast<long long>(northing)) + "/" + std::to_string(zone) + "/1234.5/1");
}

TEST_F(TurnpointFiles, BrokenFilesNameTheLineAndWriteNothing) {
  t.Sql("INSERT INTO tblTurnpoint (trnName, trnID) VALUES ('Kept', 'K')");
  const std::string header = "name,code,country,lat,lon,elev\r\n";
  const std::string good = "\"Good\",G,,4700.000N,00800.000E,100m\r\n";
  const std::string gpxHead = "<gpx version=\"1.0\">\n";
  struct Case {
    const char* what;
    std::string file;
    std::string bytes;
    int32_t number;
    std::string place;
  };
  const std::vector<Case> cases = {
      {"coordinate no number", "a.cup", header + good + "\"Bad\",B,,47x0.000N,00800.000E,\r\n", errTypeMismatch,
       "(line 3, column lat): '47x0.000N' is no coordinate"},
      {"minutes past 60", "b.cup", header + good + "\"Bad\",B,,4760.000N,00800.000E,\r\n", errTypeMismatch,
       "(line 3, column lat)"},
      {"missing header column", "c.cup", "name,code,lat,elev\r\n" + good, errSubscriptOutOfRange,
       "(line 1, column lon)"},
      {"short line", "d.cup", header + good + "\"Short\",S,,4700.000N\r\n", errSubscriptOutOfRange,
       "(line 3, column lon): the line has 4 fields"},
      {"unbalanced quote", "e.cup", header + good + "\"Open,O,,4700.000N,00800.000E,\r\n", errTypeMismatch,
       "(line 3)"},
      {"quote inside a field", "f.cup", header + "Ab\"c,O,,4700.000N,00800.000E,\r\n", errTypeMismatch, "(line 2)"},
      {"bad elevation", "g.cup", header + "\"E\",E,,4700.000N,00800.000E,high\r\n", errTypeMismatch,
       "(line 2, column elev)"},
      {"empty file", "h.cup", "", errInputPastEndOfFile, "(line 1)"},
      {"gpx lat no number", "i.gpx", gpxHead + "<wpt lat=\"47.1\" lon=\"8\"><name>A</name></wpt>\n"
       "<wpt lat=\"north\" lon=\"8\"><name>B</name></wpt></gpx>", errTypeMismatch, "(line 3, column lat)"},
      {"gpx invalid UTF-8", "j.gpx", gpxHead + "<wpt lat=\"47\" lon=\"8\">\n<name>M\xFCller</name></wpt></gpx>",
       enumErrorImportXML, "bytes that are not UTF-8 (line 3)"},
      {"gpx not well-formed", "k.gpx", gpxHead + "<wpt lat=\"47\" lon=\"8\">\n</gpx>", enumErrorImportXML,
       "(line 3)"},
      {"geojson invalid UTF-8", "l.geojson", "{\"type\":\"FeatureCollection\",\n\"features\":[\"M\xFC\"]}",
       errTypeMismatch, "(line 2)"},
      {"geojson without name", "m.geojson",
       R"({"type":"FeatureCollection","features":[
           {"type":"Feature","geometry":{"type":"Point","coordinates":[8,47]},"properties":{"name":"A"}},
           {"type":"Feature","geometry":{"type":"Point","coordinates":[8,47]},"properties":{}}]})",
       errSubscriptOutOfRange, "(feature 2, name)"},
      {"ozi coordinate no number", "n.wpt",
       "OziExplorer Waypoint File Version 1.1\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n"
       "1,A,47.5,8.5,,0,1,3,0,65535,,0,0,0,-777,6,0,17\r\n2,B,47.x,8.5,,0,1,3,0,65535,,0,0,0,-777,6,0,17\r\n",
       errTypeMismatch, "(line 6)"},
      {"cup name with NUL", "o.cup", header + good + "\"A" + '\0' + "B\",A,,4700.000N,00800.000E,\r\n",
       errEngineConversion, "(line 3, column name): the text holds a NUL character"},
      {"cup latitude past the pole", "p.cup", header + "\"P\",P,,9030.000N,00800.000E,\r\n", errTypeMismatch,
       "(line 2, column lat)"},
      {"cup with CR alone", "q.cup", "name,code,country,lat,lon,elev\r\"A\",A,,4700.000N,00800.000E,\r",
       errTypeMismatch, "(line 1): a line ends in CR alone"},
      {"gpx attribute twice", "s.gpx", gpxHead + "<wpt lat=\"47\" lat=\"91\" lon=\"8\"><name>A</name></wpt></gpx>",
       enumErrorImportXML, "attribute 'lat' given twice in element <wpt> (line 2)"},
      {"geojson number beyond double", "u.geojson",
       R"({"type":"Feature","geometry":{"type":"Point","coordinates":[1e400,-1e400,1e999]},"properties":{}})",
       errOverflow, "number overflow"},
      {"ozi longitude not finite", "v.wpt",
       "OziExplorer Waypoint File Version 1.1\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n"
       "1,A,47.5,8.0e999,,0,1,3,0,65535,,0,0,0,-777,6,0,17\r\n",
       errOverflow, "(line 5)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Error e = ImportFails(Write(c.file, c.bytes));
    EXPECT_EQ(e.Number(), c.number) << e.Description();
    EXPECT_NE(e.Description().find(c.place), std::string::npos) << e.Description();
  }
  EXPECT_EQ(ImportFails(Write("unknown.txt", "hello\n")).Number(), errInvalidProcedureCall);
  EXPECT_EQ(ImportFails(t.Dir().File("missing.cup")).Number(), errFileNotFound);
}

TEST_F(TurnpointFiles, RefusalsAreReportedTogetherAfterTheRestIsStored) {
  const std::string header = "name,code,country,lat,lon,elev\r\n";
  Import(Write("first.cup", header + "\"Alpha\",A,,4700.000N,00800.000E,\r\n\"Beta\",B,,4600.000N,00700.000E,\r\n"));
  // Gamma and Delta take identifiers held by Alpha and Beta; Epsilon is new.
  const std::string second = Write("second.cup", header + "\"Gamma\",A,,4500.000N,00600.000E,\r\n"
                                                          "\"Epsilon\",E,,4400.000N,00500.000E,\r\n"
                                                          "\"Delta\",B,,4300.000N,00400.000E,\r\n");
  const Error taken = CaughtError([&] { Import(second); });
  EXPECT_EQ(taken.Number(), enumErrorTurnpointIDExists);
  EXPECT_NE(taken.Description().find("'Gamma' (line 2), 'Delta' (line 4)"), std::string::npos) << taken.Description();
  EXPECT_EQ(t.Count("tblTurnpoint"), 3);
  EXPECT_EQ(t.Count("tblTurnpoint", "trnName = 'Epsilon'"), 1);
  EXPECT_EQ(t.Db().LastDuplicatedPk(), std::stoi(t.Scalar("SELECT trnPk FROM tblTurnpoint WHERE trnName = 'Beta'")));

  // The same file again: returning the stored keys writes nothing new; raising
  // errors reports every existing name; forcing replaces the rows.
  Import(Write("again.cup", header + "\"Alpha\",A,,4700.000N,00800.000E,\r\n"));
  EXPECT_EQ(t.Count("tblTurnpoint"), 3);
  const Error exists = CaughtError(
      [&] { Import(Write("raise.cup", header + "\"Alpha\",A,,4700.000N,00800.000E,\r\n"), "cup", enumOverwriteRaiseError); });
  EXPECT_EQ(exists.Number(), enumErrorRecordsetExists);
  EXPECT_NE(exists.Description().find("'Alpha' (line 2)"), std::string::npos) << exists.Description();
  Import(Write("force.cup", header + "\"Alpha\",A,,4730.000N,00800.000E,\r\n"), "cup", enumOverwriteForce);
  EXPECT_EQ(t.Scalar("SELECT trnPositionLatitudeDecimal FROM tblTurnpoint WHERE trnName = 'Alpha'"), "47.5");
}

TEST_F(TurnpointFiles, TaskExportListsTheTaskAndFailuresLeaveTheTargetAlone) {
  const std::string header = "name,code,country,lat,lon,elev\r\n";
  Import(Write("points.cup", header + "\"Start, Nord\",S,CH,4700.000N,00800.000E,1000m\r\n"
                                      "\"Turn\",T,,4600.000N,00700.000E,\r\n\"Unused\",U,,4500.000N,00600.000E,\r\n"));
  const std::string pk = "(SELECT trnPk FROM tblTurnpoint WHERE trnName = ";
  t.Sql("INSERT INTO tblTask (tasPk, tasName) VALUES (5, 'Day \"1\"')");
  t.Sql("INSERT INTO tblTaskTurnpoint (tasPk, trnPk, ttpNr) VALUES (5, " + pk + "'Turn'), 2), (5, " + pk +
        "'Start, Nord'), 1), (5, " + pk + "'Start, Nord'), 3)");

  const std::string out = t.Dir().File("task.cup");
  t.Db().ExportTurnpointsToFile(out, "", 5, progress.object);
  EXPECT_EQ(zaztest::ReadFile(out),
            "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc\r\n"
            "\"Start, Nord\",S,CH,4700.000N,00800.000E,1000.0m,1,,,,\"\"\r\n"
            "\"Turn\",T,,4600.000N,00700.000E,,1,,,,\"\"\r\n"
            "-----Related Tasks-----\r\n"
            "\"Day \"\"1\"\"\",\"Start, Nord\",\"Start, Nord\",\"Turn\",\"Start, Nord\",\"Start, Nord\"\r\n");

  // A task that does not exist, and a folder that does not: the old file
  // stays as it was and no temporary file is left behind.
  EXPECT_THROW(t.Db().ExportTurnpointsToFile(out, "cup", 99, progress.object), Error);
  EXPECT_THROW(t.Db().ExportTurnpointsToFile(t.Dir().File("no/such.cup"), "", 0, progress.object), Error);
  EXPECT_THROW(t.Db().ExportTurnpointsToFile(t.Dir().File("x.txt"), "", 0, progress.object), Error);
  EXPECT_NE(zaztest::ReadFile(out).find("Related Tasks"), std::string::npos);
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(t.Dir().Path())) ++files;
  EXPECT_EQ(files, 3u);  // the database, points.cup and task.cup
}

}  // namespace
