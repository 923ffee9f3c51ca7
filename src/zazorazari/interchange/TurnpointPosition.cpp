// Filling the position columns of a geographic turnpoint.
#include "zazorazari/interchange/TurnpointPosition.h"

#include "zazorazari/geodesy/modDistance.h"

namespace zazorazari::interchange {

namespace {

void ForEachDegreeColumn(const std::string& axis, const DegreeColumns& columns, const SetColumn& set) {
  set("trnPosition" + axis + "Decimal", columns.decimal);
  set("trnPosition" + axis + "Degree", columns.degree);
  set("trnPosition" + axis + "Minute", columns.minute);
  set("trnPosition" + axis + "Second", columns.second);
}

}  // namespace

GeographicPosition GeographicPositionOf(const DegreeColumns& latitude, const DegreeColumns& longitude) {
  GeographicPosition position{latitude, longitude, {}};
  Variant zoneLetter;
  ConvertLatLongToUTM(latitude.decimal, longitude.decimal, position.grid.northing, position.grid.easting,
                      position.grid.zone, zoneLetter);
  return position;
}

void ForEachGridColumn(const GridPosition& grid, const SetColumn& set) {
  set("trnPositionEastings", grid.easting);
  set("trnPositionNorthings", grid.northing);
  set("trnPositionAltitude", grid.altitude);
  set("trnPositionMapZone", grid.zone);
}

void ForEachPositionColumn(const GeographicPosition& position, const SetColumn& set) {
  set("trnPositionLatitudeDirection", position.latitude.decimal > 0 ? "N" : "S");
  set("trnPositionLongitudeDirection", position.longitude.decimal > 0 ? "E" : "W");
  ForEachDegreeColumn("Latitude", position.latitude, set);
  ForEachDegreeColumn("Longitude", position.longitude, set);
  ForEachGridColumn(position.grid, set);
}

}  // namespace zazorazari::interchange
