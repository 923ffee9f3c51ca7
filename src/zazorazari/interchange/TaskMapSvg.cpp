// A task map for the briefing, sized for A4 landscape: cylinders to scale,
// the optimised route with each leg's length, turnpoint names, a scale bar
// and a north arrow. Positions are projected azimuthally around the task's
// middle, so distances from there and north at the middle are true.
#include <GeographicLib/AzimuthalEquidistant.hpp>
#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <map>

#include "zazorazari/interchange/TaskFileWriters.h"

namespace zazorazari::interchange {

namespace {

// Page and drawing in millimetres.
constexpr double kPageWidth = 297, kPageHeight = 210, kMargin = 12, kTitleHeight = 14;
// Names are written to the right of their turnpoint: room for them.
constexpr double kLabelRoom = 40;
constexpr double kLabelSize = 3.6, kSmallSize = 3.0;
constexpr int kCirclePoints = 90;

struct Colours {
  const char* stroke;
  const char* fill;
};

Colours ColoursOf(const std::string& gate) {
  static const std::map<std::string, Colours> kByGate{{kGateTakeoff, {"#2e7d32", "#c8e6c9"}},
                                                      {kGateStart, {"#1565c0", "#bbdefb"}},
                                                      {kGateEndOfSpeed, {"#ef6c00", "#ffe0b2"}},
                                                      {kGateGoal, {"#c62828", "#ffcdd2"}},
                                                      {kGateGoalLine, {"#c62828", "#ffcdd2"}}};
  const auto found = kByGate.find(gate);
  return found == kByGate.end() ? Colours{"#616161", "#eeeeee"} : found->second;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Number(double value) { return FixedDecimal(value, 2); }

// A round length (1, 2 or 5 times a power of ten metres) near `wanted`.
double RoundLength(double wanted) {
  const double power = std::pow(10.0, std::floor(std::log10(wanted)));
  for (const double step : {5.0, 2.0, 1.0}) {
    if (step * power <= wanted) return step * power;
  }
  return power;
}

std::string LengthText(double metres) {
  const bool whole = std::fmod(metres, 1000) == 0 || metres >= 10000;
  return metres >= 1000 ? FixedDecimal(metres / 1000, whole ? 0 : 1) + " km" : FixedDecimal(metres, 0) + " m";
}

class MapPage {
 public:
  explicit MapPage(const TaskDefinition& task) : m_projection(GeographicLib::Geodesic::WGS84()) {
    double south = 90, north = -90, west = 180, east = -180;
    for (const auto& point : task.points) {
      south = std::min(south, point.waypoint.latitude), north = std::max(north, point.waypoint.latitude);
      west = std::min(west, point.waypoint.longitude), east = std::max(east, point.waypoint.longitude);
    }
    m_lat0 = (south + north) / 2, m_lon0 = (west + east) / 2;
    double minX = 1e18, maxX = -1e18, minY = 1e18, maxY = -1e18;
    for (const auto& point : task.points) {
      for (const auto& p : geodesy::CirclePoints(point.waypoint.latitude, point.waypoint.longitude,
                                                 std::max(point.radius, 1.0), 16)) {
        double x, y;
        Project(p.latitude, p.longitude, x, y);
        minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
      }
    }
    const double width = kPageWidth - 2 * kMargin - kLabelRoom, height = kPageHeight - 2 * kMargin - kTitleHeight;
    m_scale = std::min(width / std::max(maxX - minX, 1.0), height / std::max(maxY - minY, 1.0));  // mm per metre
    m_offsetX = kMargin + (width - (maxX - minX) * m_scale) / 2 - minX * m_scale;
    m_offsetY = kMargin + kTitleHeight + (height - (maxY - minY) * m_scale) / 2 + maxY * m_scale;
  }

  // Page position of a geographic one.
  void Place(double latitude, double longitude, double& x, double& y) const {
    double east, north;
    Project(latitude, longitude, east, north);
    x = m_offsetX + east * m_scale;
    y = m_offsetY - north * m_scale;
  }
  double Scale() const { return m_scale; }

 private:
  void Project(double latitude, double longitude, double& x, double& y) const {
    double azimuth, scale;
    m_projection.Forward(m_lat0, m_lon0, latitude, longitude, x, y, azimuth, scale);
  }

  GeographicLib::AzimuthalEquidistant m_projection;
  double m_lat0 = 0, m_lon0 = 0, m_scale = 1, m_offsetX = 0, m_offsetY = 0;
};

std::string Text(double x, double y, double size, const std::string& text, const char* anchor = "start",
                 const char* weight = "normal") {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" font-size=\"" + Number(size) +
         "\" text-anchor=\"" + anchor + "\" font-weight=\"" + weight + "\">" + Escaped(text) + "</text>\n";
}

std::string ScaleBar(const MapPage& page) {
  const double metres = RoundLength(60 / page.Scale());  // at most 60 mm long
  const double length = metres * page.Scale(), x = kMargin, y = kPageHeight - kMargin;
  std::string svg = "<g stroke=\"#000\" stroke-width=\"0.4\" fill=\"none\">";
  svg += "<path d=\"M" + Number(x) + " " + Number(y - 2) + "v2h" + Number(length) + "v-2\"/></g>\n";
  svg += Text(x, y - 3, kSmallSize, "0");
  return svg + Text(x + length, y - 3, kSmallSize, LengthText(metres), "middle");
}

std::string NorthArrow() {
  const double x = kPageWidth - kMargin - 6, y = kMargin + kTitleHeight + 4;
  return "<path d=\"M" + Number(x) + " " + Number(y) + "l4 12l-4 -3l-4 3z\" fill=\"#000\"/>\n" +
         Text(x, y - 1.5, kLabelSize, "N", "middle", "bold");
}

}  // namespace

std::string TaskMapSvg(const TaskDefinition& task, const TaskRoute& route) {
  const MapPage page(task);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    Number(kPageWidth) + "mm\" height=\"" + Number(kPageHeight) + "mm\" viewBox=\"0 0 " +
                    Number(kPageWidth) + " " + Number(kPageHeight) + "\" font-family=\"DejaVu Sans, sans-serif\">\n" +
                    "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
  svg += Text(kMargin, kMargin + 5, 6, task.name, "start", "bold");
  svg += Text(kMargin, kMargin + 11, kLabelSize,
              "Optimised distance " + FixedDecimal(route.distance / 1000, 2) + " km, speed section " +
                  FixedDecimal(route.speedSection / 1000, 2) + " km");

  for (const auto& point : task.points) {
    const Colours colours = ColoursOf(point.gate);
    std::string path;
    for (const auto& p : geodesy::CirclePoints(point.waypoint.latitude, point.waypoint.longitude, point.radius,
                                               kCirclePoints)) {
      double x, y;
      page.Place(p.latitude, p.longitude, x, y);
      path += (path.empty() ? "M" : "L") + Number(x) + " " + Number(y);
    }
    svg += "<path d=\"" + path + "z\" fill=\"" + colours.fill + "\" fill-opacity=\"0.45\" stroke=\"" +
           colours.stroke + "\" stroke-width=\"0.35\"/>\n";
  }

  std::string line;
  for (const auto& p : route.points) {
    double x, y;
    page.Place(p.latitude, p.longitude, x, y);
    line += (line.empty() ? "M" : "L") + Number(x) + " " + Number(y);
  }
  svg += "<path d=\"" + line + "\" fill=\"none\" stroke=\"#b71c1c\" stroke-width=\"0.6\"/>\n";

  for (size_t i = 0; i < task.points.size(); ++i) {
    const TaskPoint& point = task.points[i];
    double x, y;
    page.Place(point.waypoint.latitude, point.waypoint.longitude, x, y);
    svg += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"0.8\" fill=\"" +
           ColoursOf(point.gate).stroke + "\"/>\n";
    svg += Text(x + 1.5, y - 1.5, kLabelSize, std::to_string(i + 1) + " " + point.waypoint.name, "start", "bold");
    svg += Text(x + 1.5, y + 2.5, kSmallSize, point.gate + " " + LengthText(point.radius));
    if (i == 0) continue;
    double x0, y0, x1, y1;
    page.Place(route.points[i - 1].latitude, route.points[i - 1].longitude, x0, y0);
    page.Place(route.points[i].latitude, route.points[i].longitude, x1, y1);
    svg += Text((x0 + x1) / 2, (y0 + y1) / 2 - 1, kSmallSize, FixedDecimal(route.points[i].leg / 1000, 1) + " km",
                "middle");
  }
  svg += ScaleBar(page) + NorthArrow();
  return svg + "</svg>\n";
}

}  // namespace zazorazari::interchange
