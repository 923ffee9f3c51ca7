// Importing 20,000 waypoints from a SeeYou .cup, a GPX and a GeoJSON file
// through the turnpoint rules, next to the same waypoints from an
// OziExplorer file with ImportTurnpointsFromWPT (a plain recordset write),
// each into a fresh file; GPSBabel converting the .cup file to GPX is timed
// beside for scale.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include <unistd.h>

#include "BenchCompetition.h"
#include "BenchFolder.h"
#include "FreshImport.h"
#include "zazorazari/database/CDatabase.h"

namespace {

constexpr int kWaypoints = 20000;

// "DDMM.mmmH" / "DDDMM.mmmH" of the .cup format.
std::string CupCoordinate(double value, bool latitude) {
  const double absolute = std::fabs(value);
  const int degrees = static_cast<int>(absolute);
  char text[32];
  std::snprintf(text, sizeof text, latitude ? "%02d%06.3f%c" : "%03d%06.3f%c", degrees, (absolute - degrees) * 60,
                latitude ? (value < 0 ? 'S' : 'N') : (value < 0 ? 'W' : 'E'));
  return text;
}

// The same waypoints as a .cup, a GPX, a GeoJSON and an OziExplorer file,
// positions to the .cup's precision so that all hold equal values.
struct WaypointFiles {
  std::string cup = (BenchDir() / "waypoints.cup").string();
  std::string gpx = (BenchDir() / "waypoints.gpx").string();
  std::string geojson = (BenchDir() / "waypoints.geojson").string();
  std::string wpt = (BenchDir() / "waypoints.wpt").string();

  WaypointFiles() {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> lat(-79.9, 83.9);
    std::uniform_real_distribution<double> lon(-179.9, 179.9);
    std::ofstream cupOut(cup, std::ios::binary);
    std::ofstream gpxOut(gpx, std::ios::binary);
    std::ofstream geojsonOut(geojson, std::ios::binary);
    std::ofstream wptOut(wpt, std::ios::binary);
    cupOut << "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc\r\n";
    gpxOut << "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"bench\" "
              "xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    geojsonOut << "{\"type\":\"FeatureCollection\",\"features\":[\n";
    wptOut << "OziExplorer Waypoint File Version 1.1\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n";
    char line[240];
    for (int n = 1; n <= kWaypoints; ++n) {
      const double la = std::round(lat(random) * 60000) / 60000;
      const double lo = std::round(lon(random) * 60000) / 60000;
      std::snprintf(line, sizeof line, "\"WP%05d\",WP%05d,,%s,%s,%d.0m,1,,,,\"Point %d\"\r\n", n, n,
                    CupCoordinate(la, true).c_str(), CupCoordinate(lo, false).c_str(), n % 3000, n);
      cupOut << line;
      std::snprintf(line, sizeof line, "<wpt lat=\"%.6f\" lon=\"%.6f\"><ele>%d</ele><name>WP%05d</name></wpt>\n", la,
                    lo, n % 3000, n);
      gpxOut << line;
      std::snprintf(line, sizeof line,
                    "%s{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[%.6f,%.6f]},"
                    "\"properties\":{\"name\":\"WP%05d\",\"code\":\"WP%05d\",\"elevation\":%d}}\n",
                    n == 1 ? "" : ",", lo, la, n, n, n % 3000);
      geojsonOut << line;
      std::snprintf(line, sizeof line, "%d,WP%05d,%.6f,%.6f,,0,1,3,0,65535,Point %d,0,0,0,%d,6,0,17\r\n", n, n, la,
                    lo, n, static_cast<int>(n % 3000 / 0.3048));
      wptOut << line;
    }
    gpxOut << "</gpx>\n";
    geojsonOut << "]}\n";
  }
};

const WaypointFiles& Files() {
  static const WaypointFiles files;
  return files;
}


template <class Import>
void TimeImport(benchmark::State& state, Import import) {
  Files();
  TimeFreshImports(state, "turnpoints.mdb", kWaypoints, import);
}

void ImportThroughRules(benchmark::State& state, const std::string& path, const char* format) {
  const auto progress = SilentProgress();
  TimeImport(state, [&](zazorazari::CDatabase& db) {
    db.ImportTurnpointsFromFile(path, format, zazorazari::enumOverwriteReturnPk, progress);
  });
}

void BM_TurnpointFileCupThroughRules(benchmark::State& state) { ImportThroughRules(state, Files().cup, "cup"); }
BENCHMARK(BM_TurnpointFileCupThroughRules)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_TurnpointFileGpxThroughRules(benchmark::State& state) { ImportThroughRules(state, Files().gpx, "gpx"); }
BENCHMARK(BM_TurnpointFileGpxThroughRules)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_TurnpointFileGeoJsonThroughRules(benchmark::State& state) {
  ImportThroughRules(state, Files().geojson, "geojson");
}
BENCHMARK(BM_TurnpointFileGeoJsonThroughRules)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_TurnpointFileSameAsWptImport(benchmark::State& state) {
  const auto progress = SilentProgress();
  TimeImport(state, [&](zazorazari::CDatabase& db) { db.ImportTurnpointsFromWPT(Files().wpt, progress); });
}
BENCHMARK(BM_TurnpointFileSameAsWptImport)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Process start included; wall time, as the work happens in the child.
void BM_TurnpointFileGpsBabelCupToGpx(benchmark::State& state) {
  if (std::system("command -v gpsbabel >/dev/null 2>&1") != 0) {
    state.SkipWithError("gpsbabel is not installed");
    return;
  }
  const std::string command =
      "gpsbabel -i cup -f '" + Files().cup + "' -o gpx -F '" + (BenchDir() / "out.gpx").string() + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("gpsbabel failed");
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * kWaypoints);
}
BENCHMARK(BM_TurnpointFileGpsBabelCupToGpx)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
