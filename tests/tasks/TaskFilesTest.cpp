// Task files through the command line, checked with the programs that read
// them: XCTrack round trips, the QR code decoded by zbarimg, GPSBabel on the
// .cup and KML exports, GeoJSON geometry, the SVG map and QR code rendered
// by rsvg-convert, and the refusals.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/CliRunner.h"
#include "interchange/InterchangeTestSupport.h"
#include "support/RawSqlite.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

// Written by hand after XCTrack's published description of the format.
constexpr const char* kHandWritten = R"({
  "taskType": "CLASSIC",
  "version": 1,
  "earthModel": "WGS84",
  "turnpoints": [
    {"type": "TAKEOFF", "radius": 400,
     "waypoint": {"name": "Niesen", "description": "NIE", "lat": 46.6461, "lon": 7.6517, "altSmoothed": 2336}},
    {"type": "SSS", "radius": 5000,
     "waypoint": {"name": "Spiez", "lat": 46.6886, "lon": 7.6803, "altSmoothed": 560}},
    {"radius": 1000, "waypoint": {"name": "Frutigen", "lat": 46.5897, "lon": 7.6486, "altSmoothed": 780}},
    {"type": "ESS", "radius": 2000,
     "waypoint": {"name": "Thun", "description": "Thun station", "lat": 46.7542, "lon": 7.6297, "altSmoothed": 560}},
    {"radius": 400, "waypoint": {"name": "Gwatt", "lat": 46.7275, "lon": 7.6231, "altSmoothed": 560}}
  ],
  "takeoff": {"timeOpen": "10:00:00Z", "timeClose": "13:00:00Z"},
  "sss": {"type": "RACE", "direction": "EXIT", "timeGates": ["11:30:00Z", "11:45:00Z"]},
  "goal": {"type": "LINE", "deadline": "16:30:00Z"}
})";

// A file with the hand-written task as task 1.
void ImportHandWritten(const ScratchDir& dir, const std::string& file) {
  CreateFile(dir, file);
  WriteFile(dir.File("hand.xctsk"), kHandWritten);
  const CliResult imported = RunCli(dir, {"-q", "import-task-file", file, "hand.xctsk"});
  ASSERT_EQ(imported.status, 0) << imported.err;
  ASSERT_THAT(imported.out, HasSubstr("Task 1 \"hand\": optimised distance"));
}

TEST(TaskFiles, XctskAndQrRoundTripIntoANewFile) {
  ScratchDir dir;
  ImportHandWritten(dir, "a.mdb");
  ASSERT_EQ(RunCli(dir, {"export-task-file", "a.mdb", "1", "a.xctsk"}).status, 0);
  ASSERT_EQ(RunCli(dir, {"export-task-file", "a.mdb", "1", "a.txt"}).status, 0);
  const nlohmann::json exported = nlohmann::json::parse(ReadFile(dir.File("a.xctsk")));
  EXPECT_EQ(exported["turnpoints"][3]["type"], "ESS");
  EXPECT_EQ(exported["turnpoints"][3]["waypoint"]["description"], "Thun station");
  EXPECT_EQ(exported["sss"]["timeGates"], nlohmann::json::array({"11:30:00Z"}));
  EXPECT_EQ(exported["goal"], nlohmann::json({{"type", "LINE"}, {"deadline", "16:30:00Z"}}));

  // Both forms into new files give back the same task, byte for byte.
  for (const char* form : {"a.xctsk", "a.txt"}) {
    SCOPED_TRACE(form);
    const std::string copy = std::string("copy-") + form + ".mdb";
    CreateFile(dir, copy);
    ASSERT_EQ(RunCli(dir, {"-q", "import-task-file", copy, form}).status, 0);
    ASSERT_EQ(RunCli(dir, {"export-task-file", copy, "1", "copy.xctsk"}).status, 0);
    ASSERT_EQ(RunCli(dir, {"export-task-file", copy, "1", "copy.txt"}).status, 0);
    EXPECT_EQ(ReadFile(dir.File("copy.txt")), ReadFile(dir.File("a.txt")));
    if (std::string(form) == "a.xctsk") {
      EXPECT_EQ(ReadFile(dir.File("copy.xctsk")), ReadFile(dir.File("a.xctsk")));
    }
  }
  // Importing into the existing task replaces its list, not adds a task.
  ASSERT_EQ(RunCli(dir, {"-q", "import-task-file", "a.mdb", "a.txt", "--task", "1"}).status, 0);
  EXPECT_EQ(RunCli(dir, {"task", "a.mdb", "1", "turnpoints"}).out, "5\n");
  EXPECT_EQ(LineCount(RunCli(dir, {"list", "a.mdb", "doTask", "--format", "csv"}).out), 2u);

  // The QR code images decode to the same text.
  ASSERT_EQ(RunCli(dir, {"export-task-file", "a.mdb", "1", "qr.png"}).status, 0);
  ASSERT_EQ(RunCli(dir, {"export-task-file", "a.mdb", "1", "qr.svg", "--format", "qr-svg"}).status, 0);
  ASSERT_EQ(RunShell("rsvg-convert -w 600 -o " + dir.File("svg-qr.png") + " " + dir.File("qr.svg")), 0);
  for (const char* image : {"qr.png", "svg-qr.png"}) {
    SCOPED_TRACE(image);
    ASSERT_EQ(RunShell("zbarimg --raw -q " + dir.File(image) + " > " + dir.File("decoded.txt")), 0);
    EXPECT_EQ(ReadFile(dir.File("decoded.txt")), ReadFile(dir.File("a.txt")));
  }
}

TEST(TaskFiles, MapsAndOtherProgramsReadTheExports) {
  ScratchDir dir;
  ImportHandWritten(dir, "a.mdb");
  for (const char* out : {"t.cup", "t.kml", "t.geojson", "t.svg"}) {
    ASSERT_EQ(RunCli(dir, {"export-task-file", "a.mdb", "1", out}).status, 0) << out;
  }
  EXPECT_THAT(ReadFile(dir.File("t.cup")), HasSubstr("ObsZone=1,Style=1,R1=5000m,A1=180\r\n"));
  EXPECT_THAT(ReadFile(dir.File("t.cup")), HasSubstr("ObsZone=4,Style=3,R1=400m,A1=90,Line=1\r\n"));
  for (const char* input : {"cup", "kml"}) {
    SCOPED_TRACE(input);
    const std::string out = dir.File(std::string(input) + ".gpx");
    ASSERT_EQ(RunShell(std::string("gpsbabel -i ") + input + " -f " + dir.File(std::string("t.") + input) +
                       " -o gpx -F " + out),
              0);
    EXPECT_THAT(ReadFile(out), HasSubstr("<name>Frutigen</name>"));
  }

  // RFC 7946: rings closed and counter-clockwise, positions longitude first.
  const nlohmann::json geo = nlohmann::json::parse(ReadFile(dir.File("t.geojson")));
  int polygons = 0, lines = 0;
  for (const auto& feature : geo["features"]) {
    const auto& geometry = feature["geometry"];
    if (geometry["type"] == "LineString") ++lines;
    if (geometry["type"] != "Polygon") continue;
    ++polygons;
    const auto& ring = geometry["coordinates"][0];
    EXPECT_EQ(ring.front(), ring.back());
    double twiceArea = 0;
    for (size_t i = 1; i < ring.size(); ++i) {
      twiceArea += ring[i - 1][0].get<double>() * ring[i][1].get<double>() -
                   ring[i][0].get<double>() * ring[i - 1][1].get<double>();
    }
    EXPECT_GT(twiceArea, 0);
    EXPECT_NEAR(ring[0][0].get<double>(), 7.6, 0.2);
  }
  EXPECT_EQ(polygons, 5);
  EXPECT_EQ(lines, 1);

  // The map renders; `task ... map` writes the same page.
  ASSERT_EQ(RunCli(dir, {"task", "a.mdb", "1", "map", "map.svg"}).status, 0);
  EXPECT_EQ(ReadFile(dir.File("map.svg")), ReadFile(dir.File("t.svg")));
  ASSERT_EQ(RunShell("rsvg-convert -o " + dir.File("map.png") + " " + dir.File("map.svg")), 0);
  EXPECT_EQ(ReadFile(dir.File("map.png")).substr(1, 3), "PNG");
}

TEST(TaskFiles, RefusalsNameThePlaceAndWriteNothing) {
  ScratchDir dir;
  ImportHandWritten(dir, "a.mdb");
  const std::string hand = kHandWritten;
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = hand;
    return text.replace(text.find(from), from.size(), to);
  };
  struct Case {
    std::string text, message;
  };
  const Case cases[] = {
      {replaced(R"("type": "TAKEOFF", )", ""), "(file 'bad.xctsk', turnpoint 1 'Niesen'): the first turnpoint must be the takeoff"},
      {replaced(R"({"radius": 400, "waypoint": {"name": "Gwatt")", R"({"type": "SSS", "radius": 400, "waypoint": {"name": "Gwatt")"),
       "turnpoint 5 'Gwatt'): the last turnpoint must be the goal"},
      {replaced(R"("radius": 1000)", R"("radius": 0)"), "turnpoint 3 'Frutigen'): no cylinder radius"},
      {replaced(R"("lat": 46.5897, )", ""), "Subscript out of range (turnpoint 3, lat): missing"},
      {replaced("16:30:00Z", "16:30"), "(goal, deadline): '16:30' is no time HH:MM:SSZ"},
      {replaced("CLASSIC", "WAYPOINTS"), "only CLASSIC tasks"},
      {"XCTSK:{\"taskType\":\"CLASSIC\",\"version\":2,\"t\":[{\"z\":\"!!\",\"n\":\"A\"}]}", "'!!' is no encoded position"},
      {"{\"taskType\":", "Type mismatch (byte 13)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    WriteFile(dir.File("bad.xctsk"), c.text);
    const CliResult refused = RunCli(dir, {"-q", "import-task-file", "a.mdb", "bad.xctsk"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.err, HasSubstr(c.message));
  }
  EXPECT_EQ(LineCount(RunCli(dir, {"list", "a.mdb", "doTask", "--format", "csv"}).out), 2u);

  // A stored task without a radius or a goal is refused for every export.
  RawSqlite(dir.File("a.mdb")).Exec("UPDATE tblTaskTurnpoint SET ttpCircle = NULL WHERE ttpNr = 2");
  const CliResult noRadius = RunCli(dir, {"export-task-file", "a.mdb", "1", "t.xctsk"});
  EXPECT_THAT(noRadius.err, HasSubstr("(task 1, turnpoint 2 'Spiez'): no cylinder radius (ttpCircle)"));
  EXPECT_THAT(RunCli(dir, {"task", "a.mdb", "1", "distance"}).err, HasSubstr("no cylinder radius"));
  EXPECT_EQ(RunCli(dir, {"export-task-file", "a.mdb", "1", "t.doc"}).status, 1);
}

}  // namespace
}  // namespace zaztest
