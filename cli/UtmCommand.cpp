// The utm command: geographic position to UTM zone, band and grid metres.
#include <iostream>
#include <memory>

#include "CommandSet.h"
#include "Refusal.h"
#include <zazorazari/geodesy/modDistance.h>
#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli {

namespace {

struct UtmArgs {
  double latitude = 0;
  double longitude = 0;
};

int Utm(const UtmArgs& a) {
  if (!(a.latitude >= -90 && a.latitude <= 90) || !(a.longitude >= -180 && a.longitude <= 180)) {
    throw Refusal("A position needs a latitude between -90 and 90 and a longitude between -180 and 180 degrees; " +
                  CStr(a.latitude) + " " + CStr(a.longitude) + " is none.");
  }
  if (a.latitude > 84 || a.latitude < -80) {
    std::cerr << "zazorazari: note: UTM covers 80°S to 84°N; the grid position of latitude " << CStr(a.latitude)
              << " lies outside it\n";
  }
  double northing = 0;
  double easting = 0;
  int16_t zone = 0;
  Variant band;
  ConvertLatLongToUTM(a.latitude, a.longitude, northing, easting, zone, band);
  std::cout << zone << ' ' << CStr(band) << ' ' << CStr(easting) << ' ' << CStr(northing) << '\n';
  return 0;
}

}  // namespace

void AddUtmCommand(CommandSet& commands) {
  auto a = std::make_shared<UtmArgs>();
  CLI::App* utm = commands.Add("utm", "Print the UTM zone, band letter, easting and northing (WGS 84) of a position",
                               "zazorazari utm 46.5586 7.8358   # prints: 32 T 410765 5156773",
                               [a] { return Utm(*a); });
  utm->add_option("LAT", a->latitude, "Latitude in decimal degrees, south negative")->required();
  utm->add_option("LON", a->longitude, "Longitude in decimal degrees, west negative")->required();
}

}  // namespace zazorazari::cli
