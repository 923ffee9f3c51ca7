// XCTrack's task formats (see XctskFormat.h). Version 1 names every member;
// version 2 shortens them to letters, numbers the kinds, and packs each
// turnpoint's longitude, latitude (both times 1e5), altitude and radius as
// four polyline-encoded integers.
#include "zazorazari/interchange/XctskFormat.h"

#include <cmath>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

// Members in the order XCTrack's description lists them.
using json = nlohmann::ordered_json;

constexpr std::string_view kQrPrefix = "XCTSK:";
constexpr double kQrDegreeScale = 1e5;
constexpr double kSecondsPerDay = 86400;
// trnID holds 20 characters; longer descriptions are not identifiers.
constexpr size_t kMaxCodeLength = 20;

// ---- values ----

std::string TimeText(double dayValue) {
  const auto seconds = std::lround((dayValue - std::floor(dayValue)) * kSecondsPerDay) % 86400;
  char text[16];
  std::snprintf(text, sizeof text, "%02ld:%02ld:%02ldZ", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

json Metres(double value) {
  const double whole = std::round(value);
  if (std::fabs(value - whole) < 1e-9) return static_cast<int64_t>(whole);
  return value;
}

std::string Description(const TurnpointEntry& waypoint) {
  return waypoint.code == waypoint.name ? std::string() : waypoint.code;
}

// ---- polyline integers ----

void AppendPolyline(std::string& out, int64_t value) {
  uint64_t bits = value < 0 ? ~(static_cast<uint64_t>(value) << 1) : static_cast<uint64_t>(value) << 1;
  while (bits >= 0x20) {
    out += static_cast<char>((0x20 | (bits & 0x1f)) + 63);
    bits >>= 5;
  }
  out += static_cast<char>(bits + 63);
}

bool ReadPolyline(const std::string& text, size_t& at, int64_t& value) {
  uint64_t bits = 0;
  for (int shift = 0; shift < 64; shift += 5) {
    if (at >= text.size() || text[at] < 63 || text[at] > 126) return false;
    const uint64_t chunk = static_cast<uint64_t>(text[at++] - 63);
    bits |= (chunk & 0x1f) << shift;
    if (chunk < 0x20) {
      value = (bits & 1) ? static_cast<int64_t>(~(bits >> 1)) : static_cast<int64_t>(bits >> 1);
      return true;
    }
  }
  return false;
}

// ---- writing ----

const char* TypeOfGate(const std::string& gate) {
  if (gate == kGateTakeoff) return "TAKEOFF";
  if (gate == kGateStart) return "SSS";
  if (gate == kGateEndOfSpeed) return "ESS";
  return nullptr;
}

json StartSection(const TaskDefinition& task, bool compact) {
  json gates = json::array();
  if (task.startOpen) gates.push_back(TimeText(*task.startOpen));
  if (compact) return {{"g", gates}, {"d", 2}, {"t", task.elapsedTime ? 2 : 1}};
  // The direction is obsolete for instruments but still required by older ones.
  return {{"type", task.elapsedTime ? "ELAPSED-TIME" : "RACE"}, {"direction", "EXIT"}, {"timeGates", gates}};
}

}  // namespace

std::string XctskFile(const TaskDefinition& task) {
  json turnpoints = json::array();
  for (const auto& point : task.points) {
    json waypoint = {{"name", point.waypoint.name},
                     {"lat", point.waypoint.latitude},
                     {"lon", point.waypoint.longitude},
                     {"altSmoothed", std::lround(point.waypoint.altitude.value_or(0))}};
    if (const std::string description = Description(point.waypoint); !description.empty()) {
      waypoint["description"] = description;
    }
    json entry = {{"radius", Metres(point.radius)}, {"waypoint", waypoint}};
    if (const char* type = TypeOfGate(point.gate)) entry["type"] = type;
    turnpoints.push_back(entry);
  }
  json file = {{"taskType", "CLASSIC"}, {"version", 1}, {"earthModel", "WGS84"}, {"turnpoints", turnpoints}};
  if (task.Start()) file["sss"] = StartSection(task, false);
  json goal = {{"type", task.GoalLine() ? "LINE" : "CYLINDER"}};
  if (task.endOfSpeedClose) goal["deadline"] = TimeText(*task.endOfSpeedClose);
  file["goal"] = goal;
  return file.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string XctskQrText(const TaskDefinition& task) {
  json turnpoints = json::array();
  for (const auto& point : task.points) {
    std::string z;
    AppendPolyline(z, std::lround(point.waypoint.longitude * kQrDegreeScale));
    AppendPolyline(z, std::lround(point.waypoint.latitude * kQrDegreeScale));
    AppendPolyline(z, std::lround(point.waypoint.altitude.value_or(0)));
    AppendPolyline(z, std::lround(point.radius));
    json entry = {{"z", z}, {"n", point.waypoint.name}};
    // Instruments fail on a null description: leave it out when empty.
    if (const std::string description = Description(point.waypoint); !description.empty()) entry["d"] = description;
    if (point.gate == kGateStart) entry["t"] = 2;
    if (point.gate == kGateEndOfSpeed) entry["t"] = 3;
    turnpoints.push_back(entry);
  }
  json code = {{"taskType", "CLASSIC"}, {"version", 2}, {"t", turnpoints}, {"e", 0}};
  if (task.Start()) code["s"] = StartSection(task, true);
  json goal = {{"t", task.GoalLine() ? 1 : 2}};
  if (task.endOfSpeedClose) goal["d"] = TimeText(*task.endOfSpeedClose);
  code["g"] = goal;
  return std::string(kQrPrefix) + code.dump(-1, ' ', false, json::error_handler_t::replace);
}

// ---- reading ----

namespace {

// Members are looked up through this, so every fault names its place.
class Reader {
 public:
  explicit Reader(std::string place) : m_place(std::move(place)) {}

  const json* Optional(const json& object, const char* name) const {
    if (!object.is_object()) throw Fault(errTypeMismatch, "", "an object is needed");
    const auto found = object.find(name);
    return found == object.end() || found->is_null() ? nullptr : &*found;
  }
  const json& Required(const json& object, const char* name) const {
    const json* value = Optional(object, name);
    if (!value) throw Fault(errSubscriptOutOfRange, name, "missing");
    return *value;
  }
  double Number(const json& object, const char* name) const {
    const json& value = Required(object, name);
    if (!value.is_number()) throw Fault(errTypeMismatch, name, value.dump() + " is no number");
    return value.get<double>();
  }
  std::string Text(const json& value, const char* name) const {
    if (!value.is_string()) throw Fault(errTypeMismatch, name, value.dump() + " is no text");
    return value.get<std::string>();
  }
  double Time(const json& value, const char* name) const {
    int hours = 0, minutes = 0, seconds = 0, used = 0;
    const std::string text = Text(value, name);
    if (std::sscanf(text.c_str(), "%2d:%2d:%2d%n", &hours, &minutes, &seconds, &used) != 3 ||
        (text.substr(static_cast<size_t>(used)) != "Z" && static_cast<size_t>(used) != text.size()) || hours > 23 ||
        minutes > 59 || seconds > 59) {
      throw Fault(errTypeMismatch, name, "'" + text + "' is no time HH:MM:SSZ");
    }
    return (hours * 3600 + minutes * 60 + seconds) / kSecondsPerDay;
  }
  Reader At(const std::string& place) const { return Reader(m_place.empty() ? place : m_place + ", " + place); }
  Error Fault(int32_t number, const std::string& member, const std::string& detail) const {
    std::string place = m_place;
    if (!member.empty()) place += (place.empty() ? "" : ", ") + member;
    return PlacedError(number, place, detail);
  }

 private:
  std::string m_place;
};

void ReadPosition(const Reader& at, double latitude, double longitude, TaskPoint& point) {
  if (!std::isfinite(latitude) || std::fabs(latitude) > 90 || !std::isfinite(longitude) || std::fabs(longitude) > 180) {
    throw at.Fault(errTypeMismatch, "", std::to_string(latitude) + ", " + std::to_string(longitude) + " is no position");
  }
  point.waypoint.latitude = latitude;
  point.waypoint.longitude = longitude;
}

void SetDescription(TaskPoint& point, const std::string& description) {
  point.waypoint.code = description.empty() || description.size() > kMaxCodeLength ? point.waypoint.name : description;
}

// The roles the file leaves to position: the first turnpoint is the takeoff
// in the compact form, the last the goal.
void SetGoal(TaskDefinition& task, bool line) {
  TaskPoint& last = task.points.back();
  // A takeoff or start there is left for the check to refuse.
  if (last.gate == kGateTurnpoint) last.gate = line ? kGateGoalLine : kGateGoal;
}

TaskDefinition ReadVersion1(const json& file) {
  const Reader top("");
  TaskDefinition task;
  const json& turnpoints = top.Required(file, "turnpoints");
  if (!turnpoints.is_array()) throw top.Fault(errTypeMismatch, "turnpoints", "a list is needed");
  for (size_t i = 0; i < turnpoints.size(); ++i) {
    const Reader at = top.At("turnpoint " + std::to_string(i + 1));
    const json& entry = turnpoints[i];
    TaskPoint point;
    point.radius = at.Number(entry, "radius");
    const json& waypoint = at.Required(entry, "waypoint");
    point.waypoint.name = at.Text(at.Required(waypoint, "name"), "name");
    ReadPosition(at, at.Number(waypoint, "lat"), at.Number(waypoint, "lon"), point);
    if (at.Optional(waypoint, "altSmoothed")) point.waypoint.altitude = at.Number(waypoint, "altSmoothed");
    const json* description = at.Optional(waypoint, "description");
    SetDescription(point, description ? at.Text(*description, "description") : std::string());
    const json* type = at.Optional(entry, "type");
    const std::string kind = type ? at.Text(*type, "type") : std::string();
    point.gate = kind == "TAKEOFF" ? kGateTakeoff : kind == "SSS" ? kGateStart : kind == "ESS" ? kGateEndOfSpeed
                                                                                              : kGateTurnpoint;
    task.points.push_back(std::move(point));
  }
  if (const json* sss = top.Optional(file, "sss")) {
    const Reader at = top.At("sss");
    const json* type = at.Optional(*sss, "type");
    task.elapsedTime = type && at.Text(*type, "type") == "ELAPSED-TIME";
    const json* gates = at.Optional(*sss, "timeGates");
    if (gates && gates->is_array() && !gates->empty()) task.startOpen = at.Time(gates->front(), "timeGates");
  }
  bool line = false;
  if (const json* goal = top.Optional(file, "goal")) {
    const Reader at = top.At("goal");
    const json* type = at.Optional(*goal, "type");
    line = type && at.Text(*type, "type") == "LINE";
    if (const json* deadline = at.Optional(*goal, "deadline")) task.endOfSpeedClose = at.Time(*deadline, "deadline");
  }
  if (!task.points.empty()) SetGoal(task, line);
  return task;
}

TaskDefinition ReadVersion2(const json& code) {
  const Reader top("");
  TaskDefinition task;
  const json& turnpoints = top.Required(code, "t");
  if (!turnpoints.is_array()) throw top.Fault(errTypeMismatch, "t", "a list is needed");
  for (size_t i = 0; i < turnpoints.size(); ++i) {
    const Reader at = top.At("turnpoint " + std::to_string(i + 1));
    const json& entry = turnpoints[i];
    TaskPoint point;
    point.waypoint.name = at.Text(at.Required(entry, "n"), "n");
    const std::string z = at.Text(at.Required(entry, "z"), "z");
    int64_t numbers[4] = {0, 0, 0, 0};
    size_t used = 0;
    for (int64_t& number : numbers) {
      if (!ReadPolyline(z, used, number)) throw at.Fault(errTypeMismatch, "z", "'" + z + "' is no encoded position");
    }
    if (used != z.size()) throw at.Fault(errTypeMismatch, "z", "'" + z + "' has more than four numbers");
    ReadPosition(at, static_cast<double>(numbers[1]) / kQrDegreeScale,
                 static_cast<double>(numbers[0]) / kQrDegreeScale, point);
    point.waypoint.altitude = static_cast<double>(numbers[2]);
    point.radius = static_cast<double>(numbers[3]);
    const json* description = at.Optional(entry, "d");
    SetDescription(point, description ? at.Text(*description, "d") : std::string());
    const json* type = at.Optional(entry, "t");
    const int kind = type && type->is_number_integer() ? type->get<int>() : 0;
    point.gate = (kind == 1 || i == 0) ? kGateTakeoff : kind == 2 ? kGateStart : kind == 3 ? kGateEndOfSpeed
                                                                                         : kGateTurnpoint;
    task.points.push_back(std::move(point));
  }
  if (const json* sss = top.Optional(code, "s")) {
    const Reader at = top.At("s");
    const json* type = at.Optional(*sss, "t");
    task.elapsedTime = type && type->is_number_integer() && type->get<int>() == 2;
    const json* gates = at.Optional(*sss, "g");
    if (gates && gates->is_array() && !gates->empty()) task.startOpen = at.Time(gates->front(), "g");
  }
  bool line = false;
  if (const json* goal = top.Optional(code, "g")) {
    const Reader at = top.At("g");
    const json* type = at.Optional(*goal, "t");
    line = type && type->is_number_integer() && type->get<int>() == 1;
    if (const json* deadline = at.Optional(*goal, "d")) task.endOfSpeedClose = at.Time(*deadline, "d");
  }
  if (!task.points.empty()) SetGoal(task, line);
  return task;
}

}  // namespace

TaskDefinition ReadXctsk(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
  const bool compact = first != std::string::npos && text.compare(first, kQrPrefix.size(), kQrPrefix) == 0;
  json document;
  try {
    document = json::parse(compact ? text.substr(first + kQrPrefix.size()) : text, nullptr, true, false);
  } catch (const json::parse_error& e) {
    throw PlacedError(errTypeMismatch, "byte " + std::to_string(e.byte), e.what());
  }
  const Reader top("");
  const json* type = top.Optional(document, "taskType");
  if (!type || *type != "CLASSIC") {
    throw top.Fault(errInvalidProcedureCall, "taskType", "only CLASSIC tasks (a race through cylinders) are kept");
  }
  const double version = top.Number(document, "version");
  if (version != (compact ? 2 : 1)) {
    throw top.Fault(errTypeMismatch, "version", compact ? "the QR form is version 2" : "the file form is version 1");
  }
  return compact ? ReadVersion2(document) : ReadVersion1(document);
}

}  // namespace zazorazari::interchange
