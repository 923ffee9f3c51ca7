// One waypoint line of an OziExplorer waypoint file, split into the values
// the turnpoint table stores; how the line is read depends on the file's
// datum line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zazorazari/platform/Error.h"

namespace zazorazari::interchange {

enum class WaypointDatum {
  Geographic,  // "WGS 84": latitude and longitude in decimal degrees
  Grid,        // "UTM": easting, northing, zone and altitude
  Other,       // any other datum: only the name is used
};

WaypointDatum DatumOfLine(const std::string& datumLine);

// A latitude or longitude as its decimal value and as degrees, minutes and
// seconds; minutes and seconds come from the digits after the point alone,
// so the sign stays with the degrees.
struct DegreeColumns {
  double decimal = 0;
  int16_t degree = 0;
  int16_t minute = 0;
  double second = 0;
};

// Every comma separates; nothing is trimmed and quotes mean nothing.
std::vector<std::string_view> SplitAtCommas(std::string_view line);

// A decimal-degree text ("-33.25"); fails with 9 when it has no point and 13
// when it is no number.
DegreeColumns ReadDegrees(std::string_view text);

struct GridPosition {
  double easting = 0;
  double northing = 0;
  int16_t zone = 0;
  double altitude = 0;
};

struct WaypointLine {
  std::string name;
  DegreeColumns latitude;   // Geographic only
  DegreeColumns longitude;  // Geographic only
  GridPosition grid;        // Grid only
};

// Runtime error `number` with " (line N)" after its description.
Error LineError(int32_t number, int32_t lineNumber);

// Fails with 9 for too few fields or a coordinate without a point, 13 for a
// value that is not a number (6 for one out of range), 3421 for a name with
// a NUL character, each naming the line.
WaypointLine ParseWaypointLine(const std::string& line, WaypointDatum datum, int32_t lineNumber);

}  // namespace zazorazari::interchange
