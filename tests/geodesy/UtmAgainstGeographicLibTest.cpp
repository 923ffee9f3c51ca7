// The UTM conversion against GeographicLib as an independent implementation:
// zones, band letters and grid coordinates over every zone and band.
#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "zazorazari/geodesy/modDistance.h"

#ifdef ZAZ_HAVE_GEOGRAPHICLIB
#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/UTMUPS.hpp>

namespace zazorazari {
namespace {

// True when x lies within 1e-9 of a multiple of step: every zone, exception
// and band border is a multiple of 3 degrees of longitude or 4 of latitude.
bool NearBorder(double x, double step) { return std::abs(x / step - std::round(x / step)) * step < 1e-9; }

TEST(UtmAgainstGeographicLib, RandomPointsInEveryZoneAndBand) {
  using GeographicLib::UTMUPS;
  std::mt19937_64 rng(20240601);
  std::uniform_real_distribution<double> unit(0, 1);
  std::set<int> zonesNorth, zonesSouth;
  int compared = 0;
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
        EXPECT_LT(std::max(std::abs(easting - x), std::abs(northing - y)), 1) << lat << ", " << lon;
        (northp ? zonesNorth : zonesSouth).insert(zone);
        ++compared;
      }
    }
  }
  EXPECT_GE(compared, 11900);
  EXPECT_EQ(zonesNorth.size(), 60u);
  EXPECT_EQ(zonesSouth.size(), 60u);
}

}  // namespace
}  // namespace zazorazari

#endif  // ZAZ_HAVE_GEOGRAPHICLIB
