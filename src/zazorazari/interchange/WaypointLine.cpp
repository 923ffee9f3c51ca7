// Splitting and reading the waypoint lines of an OziExplorer waypoint file.
#include "zazorazari/interchange/WaypointLine.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

constexpr size_t kLeastFields = 4;      // number, name, and two coordinates
constexpr size_t kLeastGridFields = 6;  // number, name, easting, northing, zone, altitude

double Number(std::string_view text) { return CDbl(Variant(std::string(text))); }

GridPosition ReadGrid(const std::vector<std::string_view>& fields) {
  if (fields.size() < kLeastGridFields) throw RuntimeError(errSubscriptOutOfRange);
  GridPosition grid;
  grid.easting = Number(fields[2]);
  grid.northing = Number(fields[3]);
  const double zone = Number(fields[4]);
  if (zone != std::trunc(zone) || zone < 1 || zone > 60) throw RuntimeError(errTypeMismatch);
  grid.zone = static_cast<int16_t>(zone);
  grid.altitude = Number(fields[5]);
  return grid;
}

}  // namespace

std::vector<std::string_view> SplitAtCommas(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t comma = line.find(','); comma != std::string_view::npos; comma = line.find(',', start)) {
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

DegreeColumns ReadDegrees(std::string_view text) {
  const size_t point = text.find('.');
  if (point == std::string_view::npos) throw RuntimeError(errSubscriptOutOfRange);
  const std::string_view wholeDegrees = text.substr(0, point);
  const std::string_view fractionDigits = text.substr(point + 1);

  DegreeColumns columns;
  columns.decimal = Number(text);
  columns.degree = CInt(Variant(std::string(wholeDegrees)));
  const double minutes = Number("0." + std::string(fractionDigits)) * 60.0;
  columns.minute = CInt(Variant(std::trunc(minutes)));
  columns.second = (minutes - columns.minute) * 60.0;
  return columns;
}

WaypointDatum DatumOfLine(const std::string& datumLine) {
  if (datumLine == "WGS 84") return WaypointDatum::Geographic;
  if (datumLine == "UTM") return WaypointDatum::Grid;
  return WaypointDatum::Other;
}

Error LineError(int32_t number, int32_t lineNumber) {
  return Error(number, kRuntimeSource, ErrorDescription(number) + " (line " + std::to_string(lineNumber) + ")");
}

WaypointLine ParseWaypointLine(const std::string& line, WaypointDatum datum, int32_t lineNumber) {
  try {
    const auto fields = SplitAtCommas(line);
    if (fields.size() < kLeastFields) throw RuntimeError(errSubscriptOutOfRange);
    WaypointLine waypoint;
    waypoint.name = std::string(fields[1]);
    if (waypoint.name.find('\0') != std::string::npos) throw RuntimeError(errEngineConversion);  // not storable
    if (datum == WaypointDatum::Geographic) {
      waypoint.latitude = ReadDegrees(fields[2]);
      waypoint.longitude = ReadDegrees(fields[3]);
    } else if (datum == WaypointDatum::Grid) {
      waypoint.grid = ReadGrid(fields);
    }
    return waypoint;
  } catch (const Error& e) {
    throw LineError(e.Number(), lineNumber);
  }
}

}  // namespace zazorazari::interchange
