// OziExplorer .wpt files: four header lines (the second the datum, which
// must be "WGS 84"), then one line per waypoint: number, name, latitude and
// longitude in decimal degrees, ..., altitude in feet in field 14 (-777
// for none). Written in Windows-1252 with CR LF, as OziExplorer does.
#include <cmath>

#include "zazorazari/interchange/TurnpointFile.h"
#include "zazorazari/interchange/WaypointFileReader.h"
#include "zazorazari/interchange/WaypointLine.h"
#include "zazorazari/interchange/Windows1252Text.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

constexpr int32_t kHeaderLines = 4;
constexpr int32_t kDatumLine = 2;
constexpr size_t kAltitudeField = 14;
constexpr double kNoAltitude = -777;

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::optional<double> ReadAltitude(const std::string& line, int32_t lineNumber) {
  const auto fields = SplitAtCommas(line);
  if (fields.size() <= kAltitudeField) return std::nullopt;
  const std::string text = Trimmed(fields[kAltitudeField]);
  if (text.empty()) return std::nullopt;
  const auto feet = ReadDecimal(text);
  if (!feet) throw FileError(errTypeMismatch, lineNumber, "altitude", "'" + text + "' is no altitude");
  if (*feet == kNoAltitude) return std::nullopt;
  return *feet * kMetresPerFoot;
}

// Fields are separated by commas that nothing escapes: commas are left out.
std::string OziText(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c != ',' && c != '\r' && c != '\n') out += c;
  }
  return Utf8ToWindows1252(out);
}

class Ozi final : public TurnpointFileFormat {
 public:
  const char* Name() const override { return "ozi"; }

  std::vector<TurnpointEntry> Read(const std::string& path) const override {
    WaypointFileReader file(path);
    std::string line;
    for (int32_t number = 1; number <= kHeaderLines; ++number) {
      if (!file.ReadLine(line)) throw FileError(errInputPastEndOfFile, number, "", "the header has four lines");
      if (number == kDatumLine && DatumOfLine(Trimmed(line)) != WaypointDatum::Geographic) {
        throw FileError(errTypeMismatch, number, "", "the datum '" + line + "' is not WGS 84");
      }
    }
    std::vector<TurnpointEntry> entries;
    while (file.ReadLine(line)) {
      if (Trimmed(line).empty()) continue;
      const WaypointLine waypoint = ParseWaypointLine(line, WaypointDatum::Geographic, file.LineNumber());
      TurnpointEntry entry;
      entry.line = file.LineNumber();
      entry.name = Trimmed(waypoint.name);
      if (entry.name.empty()) throw FileError(errSubscriptOutOfRange, entry.line, "name", "the waypoint has no name");
      entry.latitude = waypoint.latitude.decimal;
      entry.longitude = waypoint.longitude.decimal;
      if (!(std::fabs(entry.latitude) <= 90 && std::fabs(entry.longitude) <= 180)) {  // NaN too
        throw FileError(errTypeMismatch, entry.line, "", "the position is out of range");
      }
      entry.altitude = ReadAltitude(line, entry.line);
      entries.push_back(std::move(entry));
    }
    return entries;
  }

  void Write(std::ostream& out, const TurnpointFileContent& content) const override {
    out << "OziExplorer Waypoint File Version 1.1\r\nWGS 84\r\nReserved 2\r\nReserved 3\r\n";
    int32_t number = 0;
    for (const auto& entry : content.turnpoints) {
      const std::string feet =
          entry.altitude ? std::to_string(std::lround(*entry.altitude / kMetresPerFoot)) : "-777";
      // number, name, lat, lon, date, symbol, status, map display, colours,
      // description (the identifier), pointer, Garmin display, proximity,
      // altitude, font size, font style, symbol size
      out << ++number << ',' << OziText(entry.name) << ',' << FixedDecimal(entry.latitude, 6) << ','
          << FixedDecimal(entry.longitude, 6) << ",,0,1,3,0,65535," << OziText(entry.code) << ",0,0,0," << feet
          << ",6,0,17\r\n";
    }
  }
};

}  // namespace

const TurnpointFileFormat& OziFormat() {
  static const Ozi format;
  return format;
}

}  // namespace zazorazari::interchange
