// Waypoint import of a 20,000-waypoint OziExplorer file, next to GPSBabel
// reading the same file and writing GPX; and the UTM conversion per call
// next to GeographicLib's UTMUPS::Forward.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "BenchCompetition.h"
#include "BenchFolder.h"
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/geodesy/modDistance.h"
#include "zazorazari/platform/UserInterface.h"

#ifdef ZAZ_HAVE_GEOGRAPHICLIB
#include <GeographicLib/UTMUPS.hpp>
#endif

namespace {

constexpr int kWaypoints = 20000;

struct Point {
  double lat, lon;
};

// Points inside the UTM range, the same sequence in every run.
const std::vector<Point>& RandomPoints() {
  static const std::vector<Point> points = [] {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> lat(-79.9, 83.9);
    std::uniform_real_distribution<double> lon(-180.0, 179.999);
    std::vector<Point> list(kWaypoints);
    for (auto& p : list) p = {lat(random), lon(random)};
    return list;
  }();
  return points;
}

// A waypoint file laid out as GPSBabel and OziExplorer write it.
const std::string& WaypointFile() {
  static const std::string path = [] {
    const std::string file = (BenchDir() / "ozi-waypoints.wpt").string();
    std::ofstream out(file, std::ios::binary);
    out << "OziExplorer Waypoint File Version 1.1\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n";
    char line[200];
    int number = 0;
    for (const auto& p : RandomPoints()) {
      ++number;
      std::snprintf(line, sizeof line, "%d,WP%05d,%.6f,%.6f,,0,1,3,0,65535,Point %d,0,0,0,-777,6,0,17\r\n", number,
                    number, p.lat, p.lon, number);
      out << line;
    }
    return file;
  }();
  return path;
}

// A progress object that ignores its calls.

struct AlwaysYes : zazorazari::UserInterface {
  int32_t MsgBox(const std::string&, int32_t, const std::string&) override { return zazorazari::vbYes; }
  void SetMousePointer(int32_t) override {}
};

// A fresh competition file, opened; with `filled` it holds the file's
// waypoints already, so that the import overwrites every one.
std::unique_ptr<zazorazari::CDatabase> FreshDatabase(bool filled) {
  const std::string file = (BenchDir() / "waypoint-import.mdb").string();
  std::filesystem::remove(file);
  auto db = std::make_unique<zazorazari::CDatabase>();
  db->Create(file, ZAZ_TEMPLATE_DIR, zazorazari::enumFileCompetition);
  db->SetPath(file);
  db->OpenDB();
  db->SetUserInterface(std::make_shared<AlwaysYes>());
  if (filled) db->ImportTurnpointsFromWPT(WaypointFile(), SilentProgress());
  return db;
}

void ImportWaypointFile(benchmark::State& state, bool overwrite) {
  const auto progress = SilentProgress();
  for (auto _ : state) {
    state.PauseTiming();
    auto db = FreshDatabase(overwrite);
    state.ResumeTiming();
    db->ImportTurnpointsFromWPT(WaypointFile(), progress);
    state.PauseTiming();
    db->CloseDB();
    db.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kWaypoints);
}

void BM_ImportTurnpointsFromWPT_New(benchmark::State& state) { ImportWaypointFile(state, false); }
BENCHMARK(BM_ImportTurnpointsFromWPT_New)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_ImportTurnpointsFromWPT_Overwrite(benchmark::State& state) { ImportWaypointFile(state, true); }
BENCHMARK(BM_ImportTurnpointsFromWPT_Overwrite)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

// The same file read by GPSBabel and written as GPX, process start included;
// wall time, as the work happens in the child process.
void BM_GpsBabelWptToGpx(benchmark::State& state) {
  if (std::system("command -v gpsbabel >/dev/null 2>&1") != 0) {
    state.SkipWithError("gpsbabel is not installed");
    return;
  }
  const std::string command =
      "gpsbabel -i ozi -f '" + WaypointFile() + "' -o gpx -F '" + (BenchDir() / "ozi-out.gpx").string() + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("gpsbabel failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * kWaypoints);
}
BENCHMARK(BM_GpsBabelWptToGpx)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

void BM_ConvertLatLongToUTM(benchmark::State& state) {
  const auto& points = RandomPoints();
  size_t i = 0;
  double northing = 0, easting = 0;
  int16_t zone = 0;
  zazorazari::Variant letter;
  for (auto _ : state) {
    const Point& p = points[i++ % points.size()];
    zazorazari::ConvertLatLongToUTM(p.lat, p.lon, northing, easting, zone, letter);
    benchmark::DoNotOptimize(northing);
    benchmark::DoNotOptimize(easting);
  }
}
BENCHMARK(BM_ConvertLatLongToUTM);

#ifdef ZAZ_HAVE_GEOGRAPHICLIB
void BM_GeographicLibUTMUPSForward(benchmark::State& state) {
  const auto& points = RandomPoints();
  size_t i = 0;
  int zone = 0;
  bool north = false;
  double x = 0, y = 0;
  for (auto _ : state) {
    const Point& p = points[i++ % points.size()];
    GeographicLib::UTMUPS::Forward(p.lat, p.lon, zone, north, x, y);
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(y);
  }
}
BENCHMARK(BM_GeographicLibUTMUPSForward);
#endif

}  // namespace
