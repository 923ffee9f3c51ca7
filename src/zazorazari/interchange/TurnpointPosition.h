// The position columns of a turnpoint at a WGS 84 latitude and longitude,
// filled the same way by every waypoint import: direction letters, decimal
// and degree/minute/second columns, and the UTM grid position.
#pragma once

#include <functional>
#include <string>

#include "zazorazari/interchange/WaypointLine.h"
#include "zazorazari/platform/Variant.h"

namespace zazorazari::interchange {

struct GeographicPosition {
  DegreeColumns latitude;
  DegreeColumns longitude;
  GridPosition grid;  // altitude 0 unless the caller sets it
};

// Adds the UTM grid position (ConvertLatLongToUTM) to the two coordinates.
GeographicPosition GeographicPositionOf(const DegreeColumns& latitude, const DegreeColumns& longitude);

using SetColumn = std::function<void(const std::string& column, const Variant& value)>;

// The easting, northing, altitude and zone columns.
void ForEachGridColumn(const GridPosition& grid, const SetColumn& set);

// Direction letters ("N" above 0, else "S"; "E" above 0, else "W"), the
// decimal, degree, minute and second columns of both axes, then the grid
// columns.
void ForEachPositionColumn(const GeographicPosition& position, const SetColumn& set);

}  // namespace zazorazari::interchange
