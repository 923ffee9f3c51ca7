// The rules that pin down the UTM conversion: zone exceptions, longitude
// wrap-around, band letters, rounding and the floating-point fault.
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "support/ErrorCapture.h"
#include "zazorazari/geodesy/modDistance.h"

namespace zazorazari {
namespace {

struct Utm {
  double northing = -1;
  double easting = -1;
  int16_t zone = -1;
  Variant letter;
};

Utm Convert(double lat, double lon) {
  Utm r;
  EXPECT_TRUE(ConvertLatLongToUTM(lat, lon, r.northing, r.easting, r.zone, r.letter));
  return r;
}

TEST(UtmConversion, ZoneFollowsWrapAroundAndNorwaySvalbardExceptions) {
  struct Case {
    double lat, lon;
    int zone;
  } const cases[] = {
      // The zone border belongs to the eastern zone; 180 and -180 are one meridian.
      {0, 6, 32}, {0, 5.9999, 31}, {0, 180, 1}, {0, -180, 1}, {0, 540, 1}, {0, -181, 60},
      {0, 359.5, 30}, {0, 179.9999, 60},
      // South-western Norway: 56 <= lat < 64, 3 <= lon < 12.
      {60, 5, 32}, {56, 3, 32}, {63.9999, 11.9999, 32}, {60, 2.9999, 31}, {60, 12, 33},
      {55.9999, 5, 31}, {64, 5, 31},
      // Svalbard: 72 <= lat < 84, odd zones only between 0 and 42.
      {78, 10, 33}, {78, 15, 33}, {78, 0, 31}, {78, 8.9999, 31}, {78, 9, 33}, {78, 21, 35},
      {78, 32.9999, 35}, {78, 33, 37}, {78, 41.9999, 37}, {78, 42, 38}, {78, -0.0001, 30},
      {72, 10, 33}, {71.9999, 10, 32}, {84, 10, 32}, {83.9999, 10, 33},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Convert(c.lat, c.lon).zone, c.zone) << c.lat << ", " << c.lon;
  }
}

TEST(UtmConversion, BandLettersAndHemispheres) {
  // Each band's floor opens it, the double just below belongs to the band under it.
  const std::string letters = "CDEFGHJKLMNPQRSTUVWX";
  for (int band = 0; band < 20; ++band) {
    const double floor = -80 + 8 * band;
    EXPECT_EQ(GetUTMBandLetter(floor), letters.substr(band, 1)) << floor;
    EXPECT_EQ(GetUTMBandLetter(std::nextafter(floor, -100.0)),
              band == 0 ? "Z" : letters.substr(band - 1, 1))
        << floor;
  }
  EXPECT_EQ(GetUTMBandLetter(84), "X");
  EXPECT_EQ(GetUTMBandLetter(std::nextafter(84.0, 100.0)), "Z");
  EXPECT_EQ(GetUTMBandLetter(-0.0001), "M");
  EXPECT_EQ(GetUTMBandLetter(std::nan("")), "Z");

  const Utm beyond = Convert(85, 10);  // projected anyway
  EXPECT_EQ(beyond.letter.Text(), "Z");
  EXPECT_EQ(beyond.zone, 32);

  EXPECT_EQ(Convert(0, 3).northing, 0);  // "N", no false northing
  EXPECT_EQ(Convert(-0.0001, 3).northing, 9999989);  // 11.06 m south of the equator
}

TEST(UtmConversion, ExactHalvesRoundToEven) {
  // Inputs whose unrounded easting or northing is exactly n + 0.5; the next
  // double eastwards or northwards is already past the half.
  struct Case {
    double lat, lon;
    bool checkEasting;
    double expected, above;
  } const cases[] = {
      {37.533128545627491, 1.9685435418508206, true, 408868, 408869},
      {31.203833219861853, 1.9801211063498982, true, 402842, 402842},
      {47.719263672784841, 2.5732530072316107, false, 5285186, 5285187},
      {17.063581033869788, 0.33773289625985764, false, 1888522, 1888522},
  };
  for (const Case& c : cases) {
    const Utm at = Convert(c.lat, c.lon);
    const Utm past = c.checkEasting ? Convert(c.lat, std::nextafter(c.lon, 180.0))
                                    : Convert(std::nextafter(c.lat, 90.0), c.lon);
    EXPECT_EQ(c.checkEasting ? at.easting : at.northing, c.expected) << c.lat << ", " << c.lon;
    EXPECT_EQ(c.checkEasting ? past.easting : past.northing, c.above) << c.lat << ", " << c.lon;
  }
  // Mirrored south of the equator the half is negative: -5285186.5 goes to
  // -5285186 before the false northing is added.
  EXPECT_EQ(Convert(-47.719263672784841, 2.5732530072316107).northing, 10000000 - 5285186);
}

TEST(UtmConversion, FloatingPointFaultFailsWithOverflowAndWritesNothing) {
  const double inf = std::numeric_limits<double>::infinity();
  const double bad[][2] = {{std::nan(""), 5}, {45, std::nan("")}, {45, inf}, {1e308, 5}};
  for (const auto& in : bad) {
    double northing = 7, easting = 8;
    int16_t zone = 9;
    Variant letter("keep");
    EXPECT_EQ(zaztest::CaughtError([&] { ConvertLatLongToUTM(in[0], in[1], northing, easting, zone, letter); })
                  .Number(),
              6)
        << in[0] << ", " << in[1];
    EXPECT_EQ(northing, 7);
    EXPECT_EQ(easting, 8);
    EXPECT_EQ(zone, 9);
    EXPECT_EQ(letter.Text(), "keep");
  }
}

}  // namespace
}  // namespace zazorazari
