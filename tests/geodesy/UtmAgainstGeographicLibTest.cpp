// The UTM conversion against GeographicLib as an independent implementation:
// zones, band letters and grid coordinates over every zone and band, and a
// few points through the GeoConvert tool.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "zazorazari/geodesy/modDistance.h"

#ifdef ZAZ_HAVE_GEOGRAPHICLIB
#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/UTMUPS.hpp>
#endif

namespace zazorazari {
namespace {

#ifdef ZAZ_HAVE_GEOGRAPHICLIB

// True when x lies within 1e-9 of a multiple of step: every zone, exception
// and band border is a multiple of 3 degrees of longitude or 4 of latitude.
bool NearBorder(double x, double step) {
  return std::abs(x / step - std::round(x / step)) * step < 1e-9;
}

struct Worst {
  double metres = 0, lat = 0, lon = 0;
  void Take(double diff, double la, double lo) {
    if (diff > metres) *this = {diff, la, lo};
  }
  std::string Text() const {
    std::ostringstream s;
    s.precision(10);
    s << metres << " m at " << lat << ", " << lon;
    return s.str();
  }
};

TEST(UtmAgainstGeographicLib, RandomPointsInEveryZoneAndBand) {
  using GeographicLib::UTMUPS;
  std::mt19937_64 rng(20240601);
  std::uniform_real_distribution<double> unit(0, 1);
  std::set<int> zonesNorth, zonesSouth;
  Worst nearMeridian, widened;
  int compared = 0, wholeMetreMismatches = 0;
  // Ten points in every 6-degree zone times 8-degree band (12 degrees for X).
  for (int zoneIndex = 0; zoneIndex < 60; ++zoneIndex) {
    for (int band = 0; band < 20; ++band) {
      for (int i = 0; i < 10; ++i) {
        const double lat = -80 + 8 * band + unit(rng) * (band == 19 ? 12 : 8);
        const double lon = -180 + 6 * zoneIndex + unit(rng) * 6;
        if (NearBorder(lat, 4) || NearBorder(lon, 3)) continue;

        double northing, easting;
        int16_t zone;
        Variant letter;
        ConvertLatLongToUTM(lat, lon, northing, easting, zone, letter);
        int refZone;
        bool northp;
        double x, y;
        UTMUPS::Forward(lat, lon, refZone, northp, x, y, UTMUPS::STANDARD);
        std::string mgrs;
        GeographicLib::MGRS::Forward(refZone, northp, x, y, lat, 0, mgrs);

        ASSERT_EQ(zone, refZone) << lat << ", " << lon;
        ASSERT_EQ(letter.Text(), mgrs.substr(2, 1)) << lat << ", " << lon;
        ASSERT_EQ(easting, std::floor(easting));
        ASSERT_EQ(northing, std::floor(northing));
        (northp ? zonesNorth : zonesSouth).insert(zone);

        const double diff = std::max(std::abs(easting - x), std::abs(northing - y));
        if (easting != std::nearbyint(x) || northing != std::nearbyint(y)) ++wholeMetreMismatches;
        EXPECT_LT(diff, 1) << lat << ", " << lon;
        // Norway and Svalbard reach up to 6 degrees from their meridian.
        (std::abs(lon - ((zone - 1) * 6 - 177)) <= 3 ? nearMeridian : widened)
            .Take(diff, lat, lon);
        ++compared;
      }
    }
  }
  EXPECT_GE(compared, 11900);
  EXPECT_EQ(zonesNorth.size(), 60u);
  EXPECT_EQ(zonesSouth.size(), 60u);
  RecordProperty("LargestDifferenceWithin3Degrees", nearMeridian.Text());
  RecordProperty("LargestDifferenceWidenedZones", widened.Text());
  std::cout << "[ geodesy ] " << compared << " points; largest difference within 3 degrees of "
            << "the central meridian " << nearMeridian.Text() << "; in the widened zones "
            << widened.Text() << "; whole metres differing from GeographicLib's rounded "
            << "values at " << wholeMetreMismatches << " points\n";
}

#endif  // ZAZ_HAVE_GEOGRAPHICLIB

TEST(UtmAgainstGeographicLib, GeoConvertTool) {
  if (std::system("command -v GeoConvert >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "GeoConvert is not installed";
  }
  const double points[][2] = {{60, 5}, {78, 10}, {-33.9, 18.4}, {47.3, 8.5}, {-54.8, -68.3}};
  zaztest::ScratchDir dir;
  {
    std::ofstream in(dir.File("points.txt"));
    for (const auto& p : points) in << p[0] << " " << p[1] << "\n";
  }
  const std::string command = "GeoConvert -u < '" + dir.File("points.txt") + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  for (const auto& p : points) {
    int refZone = 0;
    char hemisphere = 0;
    double x = 0, y = 0;
    ASSERT_EQ(std::fscanf(pipe, "%d%c %lf %lf", &refZone, &hemisphere, &x, &y), 4);
    double northing, easting;
    int16_t zone;
    Variant letter;
    ConvertLatLongToUTM(p[0], p[1], northing, easting, zone, letter);
    EXPECT_EQ(zone, refZone) << p[0] << ", " << p[1];
    EXPECT_EQ(hemisphere, p[0] < 0 ? 's' : 'n');
    EXPECT_NEAR(easting, x, 1) << p[0] << ", " << p[1];
    EXPECT_NEAR(northing, y, 1) << p[0] << ", " << p[1];
  }
  pclose(pipe);
}

}  // namespace
}  // namespace zazorazari
