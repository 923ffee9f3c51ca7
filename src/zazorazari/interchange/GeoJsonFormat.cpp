// GeoJSON turnpoint files: a FeatureCollection (or one Feature) whose Point
// features carry the position as [longitude, latitude, elevation] and the
// properties name, code and elevation. Features of other geometries are
// skipped. Faults name the feature, counted from 1.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <utility>

#include <nlohmann/json.hpp>

#include "zazorazari/interchange/TurnpointFile.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

using nlohmann::json;

Error FeatureError(int32_t number, int32_t feature, std::string_view member, std::string_view detail) {
  return PlacedError(number, "feature " + std::to_string(feature) + ", " + std::string(member), detail);
}

int32_t LineOfOffset(const std::string& text, size_t offset) {
  offset = std::min(offset, text.size());
  return 1 + static_cast<int32_t>(std::count(text.begin(), text.begin() + static_cast<ptrdiff_t>(offset), '\n'));
}

const json* Member(const json& object, const char* name) {
  if (!object.is_object()) return nullptr;
  const auto found = object.find(name);
  return found == object.end() || found->is_null() ? nullptr : &*found;
}

// A number, or a text holding one (some tools quote elevations).
std::optional<double> NumberOf(const json& value) {
  if (value.is_number()) return value.get<double>();
  if (value.is_string()) return ReadDecimal(value.get<std::string>());
  return std::nullopt;
}

std::string TextOf(const json& value) {
  if (value.is_string()) return value.get<std::string>();
  return value.dump();  // a numeric code such as 42
}

std::optional<TurnpointEntry> ReadFeature(const json& feature, int32_t number) {
  const json* geometry = Member(feature, "geometry");
  const json* type = geometry ? Member(*geometry, "type") : nullptr;
  if (!type || *type != "Point") return std::nullopt;
  const json* coordinates = Member(*geometry, "coordinates");
  if (!coordinates || !coordinates->is_array() || coordinates->size() < 2) {
    throw FeatureError(errSubscriptOutOfRange, number, "coordinates", "a point needs longitude and latitude");
  }
  TurnpointEntry entry;
  entry.line = number;
  const auto longitude = NumberOf((*coordinates)[0]);
  const auto latitude = NumberOf((*coordinates)[1]);
  if (!longitude || !latitude || std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180) {
    throw FeatureError(errTypeMismatch, number, "coordinates", coordinates->dump() + " is no position");
  }
  entry.longitude = *longitude;
  entry.latitude = *latitude;

  const json* properties = Member(feature, "properties");
  const json* name = properties ? Member(*properties, "name") : nullptr;
  if (name) entry.name = TextOf(*name);
  if (entry.name.find_first_not_of(" \t") == std::string::npos) {
    throw FeatureError(errSubscriptOutOfRange, number, "name", "the feature has no name");
  }
  if (const json* code = properties ? Member(*properties, "code") : nullptr) entry.code = TextOf(*code);
  RefuseNul(entry.name, "feature " + std::to_string(number) + ", name");
  RefuseNul(entry.code, "feature " + std::to_string(number) + ", code");
  const json* elevation = properties ? Member(*properties, "elevation") : nullptr;
  if (!elevation && coordinates->size() > 2) elevation = &(*coordinates)[2];
  if (elevation) {
    entry.altitude = NumberOf(*elevation);
    if (!entry.altitude) throw FeatureError(errTypeMismatch, number, "elevation", elevation->dump() + " is no elevation");
  }
  return entry;
}

class GeoJson final : public TurnpointFileFormat {
 public:
  const char* Name() const override { return "geojson"; }

  std::vector<TurnpointEntry> Read(const std::string& path) const override {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw RuntimeError(errPathFileAccess);
    std::ostringstream read;
    read << in.rdbuf();
    if (in.bad()) throw RuntimeError(errPathFileAccess);
    const std::string text = std::move(read).str();
    json document;
    try {
      document = json::parse(text, nullptr, true, false);
    } catch (const json::parse_error& e) {
      // The byte count of the library starts at 1.
      throw FileError(errTypeMismatch, LineOfOffset(text, e.byte == 0 ? 0 : e.byte - 1), "", e.what());
    } catch (const json::exception& e) {
      // A number beyond the double range (1e400) has no place to point at.
      throw PlacedError(errOverflow, "", e.what());
    }
    std::vector<json> single;
    const json* features = Member(document, "features");
    if (Member(document, "type") && document["type"] == "Feature") {
      single.push_back(document);
    } else if (!features || !features->is_array()) {
      throw PlacedError(errSubscriptOutOfRange, "", "no FeatureCollection with features");
    }
    const std::vector<json>& list = single.empty() ? features->get_ref<const json::array_t&>() : single;
    std::vector<TurnpointEntry> entries;
    for (size_t i = 0; i < list.size(); ++i) {
      if (auto entry = ReadFeature(list[i], static_cast<int32_t>(i + 1))) entries.push_back(std::move(*entry));
    }
    return entries;
  }

  void Write(std::ostream& out, const TurnpointFileContent& content) const override {
    json features = json::array();
    for (const auto& entry : content.turnpoints) {
      json coordinates = json::array({entry.longitude, entry.latitude});
      json properties = {{"name", entry.name}, {"code", entry.code}};
      if (entry.altitude) {
        coordinates.push_back(*entry.altitude);
        properties["elevation"] = *entry.altitude;
      }
      features.push_back({{"type", "Feature"},
                          {"geometry", {{"type", "Point"}, {"coordinates", coordinates}}},
                          {"properties", properties}});
    }
    // Invalid UTF-8 cannot reach a file: the imports store valid text only,
    // and the replacement keeps a hand-edited record from failing the export.
    out << json{{"type", "FeatureCollection"}, {"features", features}}.dump(1, '\t', false,
                                                                            json::error_handler_t::replace)
        << '\n';
  }
};

}  // namespace

const TurnpointFileFormat& GeoJsonFormat() {
  static const GeoJson format;
  return format;
}

}  // namespace zazorazari::interchange
