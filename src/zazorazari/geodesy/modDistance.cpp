// Forward transverse Mercator (series form) on WGS 84 into the UTM grid.
#include "zazorazari/geodesy/modDistance.h"

#include <cmath>
#include <limits>

#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

namespace {

// The digits the stored grid positions were computed with, pi included: kept
// as they are so that a re-import reproduces the same whole metres.
constexpr double kPi = 3.14159265358979;
constexpr double kDegToRad = kPi / 180;
constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kEccSquared = 0.00669437999013;
constexpr double kEccPrimeSquared = kEccSquared / 0.99330562000987;
constexpr double kScale = 0.9996;
constexpr double kFalseEasting = 500000.0;
constexpr double kFalseNorthingSouth = 10000000.0;

// A whole number stored into a 16-bit integer: anything that does not fit
// (NaN included) is the runtime's overflow.
int16_t ToInt16(double whole) {
  if (!(whole >= std::numeric_limits<int16_t>::min() &&
        whole <= std::numeric_limits<int16_t>::max())) {
    throw RuntimeError(errOverflow);
  }
  return static_cast<int16_t>(whole);
}

double Finite(double value) {
  if (!std::isfinite(value)) throw RuntimeError(errOverflow);
  return value;
}

int16_t ZoneOf(double lat, double lon) {
  int16_t zone = ToInt16(std::floor((lon + 180) / 6) + 1);
  if (lat >= 56 && lat < 64 && lon >= 3 && lon < 12) {
    zone = 32;  // south-western Norway
  } else if (lat >= 72 && lat < 84) {  // Svalbard
    if (lon >= 0 && lon < 9) {
      zone = 31;
    } else if (lon >= 9 && lon < 21) {
      zone = 33;
    } else if (lon >= 21 && lon < 33) {
      zone = 35;
    } else if (lon >= 33 && lon < 42) {
      zone = 37;
    }
  }
  return zone;
}

// Degrees of the zone's central meridian in 16-bit arithmetic: a zone number
// from a longitude too large to normalise exactly overflows at any step.
int16_t CentralMeridian(int16_t zone) {
  int16_t degrees = ToInt16(zone - 1);
  degrees = ToInt16(degrees * 6);
  degrees = ToInt16(degrees - 180);
  return ToInt16(degrees + 3);
}

}  // namespace

bool ConvertLatLongToUTM(double dblLat, double dblLong, double& dblNorthing, double& dblEasting,
                         int16_t& intZone, Variant& vntZoneLetter) {
  const double lon = (dblLong + 180) - std::floor((dblLong + 180) / 360) * 360 - 180;
  const int16_t zone = ZoneOf(dblLat, lon);
  const int16_t lon0 = CentralMeridian(zone);

  const double phi = dblLat * kDegToRad;
  const double lambda = lon * kDegToRad;
  const double lambda0 = lon0 * kDegToRad;
  const double e2 = kEccSquared;

  const double n = kSemiMajorAxis / std::sqrt(1 - e2 * std::sin(phi) * std::sin(phi));
  const double t = std::tan(phi) * std::tan(phi);
  const double c = kEccPrimeSquared * std::cos(phi) * std::cos(phi);
  const double a = std::cos(phi) * (lambda - lambda0);
  const double m =
      kSemiMajorAxis *
      ((1 - e2 / 4 - 3 * e2 * e2 / 64 - 5 * e2 * e2 * e2 / 256) * phi -
       (3 * e2 / 8 + 3 * e2 * e2 / 32 + 45 * e2 * e2 * e2 / 1024) * std::sin(2 * phi) +
       (15 * e2 * e2 / 256 + 45 * e2 * e2 * e2 / 1024) * std::sin(4 * phi) -
       (35 * e2 * e2 * e2 / 3072) * std::sin(6 * phi));

  const double easting =
      kScale * n *
          (a + (1 - t + c) * a * a * a / 6 +
           (5 - 18 * t + t * t + 72 * c - 58 * kEccPrimeSquared) * a * a * a * a * a / 120) +
      kFalseEasting;
  const double northing =
      kScale *
      (m + n * std::tan(phi) *
               (a * a / 2 + (5 - t + 9 * c + 4 * c * c) * a * a * a * a / 24 +
                (61 - 58 * t + t * t + 600 * c - 330 * kEccPrimeSquared) * a * a * a * a * a * a /
                    720));

  double roundedNorthing = RoundHalfEven(Finite(northing));
  const double roundedEasting = RoundHalfEven(Finite(easting));
  if (dblLat < 0) roundedNorthing += kFalseNorthingSouth;

  dblNorthing = roundedNorthing;
  dblEasting = roundedEasting;
  intZone = zone;
  vntZoneLetter = Variant(GetUTMBandLetter(dblLat));
  return true;
}

std::string GetUTMBandLetter(double dblLat) {
  if (dblLat > 84 || !(dblLat >= -80)) return "Z";
  if (dblLat >= 72) return "X";
  // Compared against the exact band floors rather than divided, so a latitude
  // a hair below a border cannot round up into the next band. I and O are
  // skipped.
  static constexpr char kBands[] = "CDEFGHJKLMNPQRSTUVW";
  int band = 18;
  while (dblLat < -80 + 8 * band) --band;
  return std::string(1, kBands[band]);
}

}  // namespace zazorazari
