// A task on a map: KML for Google Earth and GeoJSON, each turnpoint as a
// point and its cylinder as a polygon (closed, counter-clockwise), the
// optimised route as a line.
#include <pugixml.hpp>

#include <sstream>

#include <nlohmann/json.hpp>

#include "zazorazari/interchange/TaskFileWriters.h"
#include "zazorazari/interchange/XmlDocumentFile.h"

namespace zazorazari::interchange {

namespace {

using nlohmann::json;

constexpr int kCirclePoints = 72;

// The ring of a cylinder, first point repeated at the end.
std::vector<geodesy::RoutePoint> Ring(const TaskPoint& point) {
  auto ring = geodesy::CirclePoints(point.waypoint.latitude, point.waypoint.longitude, point.radius, kCirclePoints);
  ring.push_back(ring.front());
  return ring;
}

std::string Kilometres(double metres) { return FixedDecimal(metres / 1000, 3) + " km"; }

std::string Label(size_t index, const TaskPoint& point) {
  return std::to_string(index + 1) + " " + point.waypoint.name + " (" + point.gate + ")";
}

std::string KmlCoordinates(const std::vector<geodesy::RoutePoint>& points) {
  std::string text;
  for (const auto& p : points) text += ShortestDecimal(p.longitude) + "," + ShortestDecimal(p.latitude) + ",0 ";
  return text;
}

pugi::xml_node Placemark(pugi::xml_node document, const std::string& name, const char* style) {
  pugi::xml_node placemark = document.append_child("Placemark");
  placemark.append_child("name").text().set(name.c_str());
  placemark.append_child("styleUrl").text().set(style);
  return placemark;
}

void AddStyle(pugi::xml_node document, const char* id, const char* lineColour, const char* fillColour) {
  pugi::xml_node style = document.append_child("Style");
  style.append_attribute("id") = id;
  pugi::xml_node line = style.append_child("LineStyle");
  line.append_child("color").text().set(lineColour);
  line.append_child("width").text().set(3);
  style.append_child("PolyStyle").append_child("color").text().set(fillColour);
}

}  // namespace

std::string TaskKmlFile(const TaskDefinition& task, const TaskRoute& route) {
  pugi::xml_document doc;
  pugi::xml_node kml = AppendRootWithDeclaration(doc, "kml");
  kml.append_attribute("xmlns") = "http://www.opengis.net/kml/2.2";
  pugi::xml_node document = kml.append_child("Document");
  document.append_child("name").text().set(task.name.c_str());
  AddStyle(document, "cylinder", "ff00a5ff", "4000a5ff");  // KML colours are aabbggrr
  AddStyle(document, "route", "ff0000ff", "00000000");
  for (size_t i = 0; i < task.points.size(); ++i) {
    const TaskPoint& point = task.points[i];
    pugi::xml_node placemark = Placemark(document, point.waypoint.name, "#cylinder");
    placemark.append_child("description").text().set(
        (Label(i, point) + ", radius " + FixedDecimal(point.radius, 0) + " m").c_str());
    placemark.append_child("Point").append_child("coordinates").text().set(
        KmlCoordinates({{point.waypoint.latitude, point.waypoint.longitude, 0}}).c_str());
    pugi::xml_node cylinder = Placemark(document, Label(i, point) + " cylinder", "#cylinder");
    cylinder.append_child("Polygon").append_child("outerBoundaryIs").append_child("LinearRing")
        .append_child("coordinates").text().set(KmlCoordinates(Ring(point)).c_str());
  }
  pugi::xml_node line = Placemark(document, "Optimised route " + Kilometres(route.distance), "#route");
  line.append_child("LineString").append_child("coordinates").text().set(KmlCoordinates(route.points).c_str());
  std::ostringstream out;
  doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
  return out.str();
}

std::string TaskGeoJsonFile(const TaskDefinition& task, const TaskRoute& route) {
  const auto position = [](const geodesy::RoutePoint& p) { return json::array({p.longitude, p.latitude}); };
  json features = json::array();
  for (size_t i = 0; i < task.points.size(); ++i) {
    const TaskPoint& point = task.points[i];
    const json properties = {{"name", point.waypoint.name},   {"code", point.waypoint.code},
                             {"number", i + 1},               {"type", point.gate},
                             {"radius", point.radius},        {"distance", route.totals[i] / 1000}};
    features.push_back({{"type", "Feature"},
                        {"geometry",
                         {{"type", "Point"},
                          {"coordinates", json::array({point.waypoint.longitude, point.waypoint.latitude})}}},
                        {"properties", properties}});
    json ring = json::array();
    for (const auto& p : Ring(point)) ring.push_back(position(p));
    features.push_back({{"type", "Feature"},
                        {"geometry", {{"type", "Polygon"}, {"coordinates", json::array({ring})}}},
                        {"properties", properties}});
  }
  json line = json::array();
  for (const auto& p : route.points) line.push_back(position(p));
  features.push_back({{"type", "Feature"},
                      {"geometry", {{"type", "LineString"}, {"coordinates", line}}},
                      {"properties",
                       {{"name", "optimised route"}, {"distance", route.distance / 1000},
                        {"speedSection", route.speedSection / 1000}}}});
  return json{{"type", "FeatureCollection"}, {"name", task.name}, {"features", features}}.dump(
             1, '\t', false, json::error_handler_t::replace) +
         "\n";
}

}  // namespace zazorazari::interchange
