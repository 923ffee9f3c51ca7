// SeeYou .cup files: a header line naming the columns, one quoted-CSV line
// per waypoint with coordinates as DDMM.mmmN / DDDMM.mmmE and elevations in
// m or ft, then an optional task section after "-----Related Tasks-----".
#include <csv.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

#include "zazorazari/interchange/TurnpointFile.h"
#include "zazorazari/interchange/WaypointFileReader.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

constexpr std::string_view kTaskMarker = "-----Related Tasks-----";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr const char* kHeader = "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc";
constexpr const char* kWaypointStyle = "1";
constexpr int kMinuteDecimals = 3;

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// Splits one line at a time with libcsv: quoted fields may hold commas and
// doubled quotes, but never a line end.
class CsvLineSplitter {
 public:
  CsvLineSplitter() { csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI); }
  ~CsvLineSplitter() { csv_free(&m_parser); }
  CsvLineSplitter(const CsvLineSplitter&) = delete;
  CsvLineSplitter& operator=(const CsvLineSplitter&) = delete;

  const std::vector<std::string>& Split(const std::string& line, int32_t lineNumber) {
    m_fields.clear();
    const size_t parsed = csv_parse(&m_parser, line.data(), line.size(), OnField, nullptr, this);
    const int finished = parsed == line.size() ? csv_fini(&m_parser, OnField, nullptr, this) : -1;
    if (parsed != line.size() || finished != 0 || csv_error(&m_parser) != CSV_SUCCESS) {
      csv_fini(&m_parser, nullptr, nullptr, nullptr);  // ready for the next file
      throw FileError(errTypeMismatch, lineNumber, "", "misplaced or unbalanced quote");
    }
    return m_fields;
  }

 private:
  static void OnField(void* text, size_t length, void* self) {
    static_cast<CsvLineSplitter*>(self)->m_fields.emplace_back(static_cast<const char*>(text), length);
  }

  csv_parser m_parser{};
  std::vector<std::string> m_fields;
};

// Where each column the import uses stands, from the header line.
struct CupColumns {
  int name = -1;
  int code = -1;
  int country = -1;
  int lat = -1;
  int lon = -1;
  int elev = -1;
};

CupColumns ReadHeader(const std::vector<std::string>& header, int32_t lineNumber) {
  static const std::map<std::string, int CupColumns::*> kNames{
      {"name", &CupColumns::name},   {"title", &CupColumns::name},      {"code", &CupColumns::code},
      {"country", &CupColumns::country}, {"lat", &CupColumns::lat},     {"latitude", &CupColumns::lat},
      {"lon", &CupColumns::lon},     {"longitude", &CupColumns::lon},   {"elev", &CupColumns::elev},
      {"elevation", &CupColumns::elev}};
  CupColumns columns;
  for (size_t i = 0; i < header.size(); ++i) {
    const auto found = kNames.find(Lower(Trimmed(header[i])));
    if (found != kNames.end() && columns.*(found->second) < 0) columns.*(found->second) = static_cast<int>(i);
  }
  for (const auto& [label, member] : {std::pair{"name", &CupColumns::name}, std::pair{"lat", &CupColumns::lat},
                                      std::pair{"lon", &CupColumns::lon}}) {
    if (columns.*member < 0) throw FileError(errSubscriptOutOfRange, lineNumber, label, "the header lacks it");
  }
  return columns;
}

// DDMM.mmm followed by the hemisphere letter, as signed decimal degrees.
double ReadCupCoordinate(const std::string& text, bool latitude, int32_t lineNumber) {
  const char* column = latitude ? "lat" : "lon";
  const std::string value = Trimmed(text);
  const char positive = latitude ? 'N' : 'E';
  const char negative = latitude ? 'S' : 'W';
  const char hemisphere = value.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(value.back())));
  const auto number = value.empty() ? std::nullopt : ReadDecimal(std::string_view(value).substr(0, value.size() - 1));
  const double degrees = number ? std::floor(*number / 100) : 0;
  const double minutes = number ? *number - degrees * 100 : 0;
  const double decimal = degrees + minutes / 60;
  if ((hemisphere != positive && hemisphere != negative) || !number || *number < 0 || minutes >= 60 ||
      decimal > (latitude ? 90 : 180)) {
    throw FileError(errTypeMismatch, lineNumber, column, "'" + value + "' is no coordinate");
  }
  return hemisphere == negative ? -decimal : decimal;
}

// "673.0m", "2208ft" or a bare number of metres; nothing when empty.
std::optional<double> ReadCupElevation(const std::string& text, int32_t lineNumber) {
  std::string value = Lower(Trimmed(text));
  if (value.empty()) return std::nullopt;
  double factor = 1;
  if (value.ends_with("ft")) {
    factor = kMetresPerFoot;
    value.resize(value.size() - 2);
  } else if (value.ends_with("m")) {
    value.pop_back();
  }
  const auto number = ReadDecimal(value);
  if (!number) throw FileError(errTypeMismatch, lineNumber, "elev", "'" + Trimmed(text) + "' is no elevation");
  return *number * factor;
}

const std::string& Field(const std::vector<std::string>& fields, int index, const char* column, int32_t lineNumber) {
  if (static_cast<size_t>(index) >= fields.size()) {
    throw FileError(errSubscriptOutOfRange, lineNumber, column,
                    "the line has " + std::to_string(fields.size()) + " fields");
  }
  return fields[static_cast<size_t>(index)];
}

std::string OptionalField(const std::vector<std::string>& fields, int index) {
  return index >= 0 && static_cast<size_t>(index) < fields.size() ? Trimmed(fields[static_cast<size_t>(index)])
                                                                   : std::string();
}

TurnpointEntry ReadWaypoint(const std::vector<std::string>& fields, const CupColumns& columns, int32_t lineNumber) {
  TurnpointEntry entry;
  entry.line = lineNumber;
  entry.name = Trimmed(Field(fields, columns.name, "name", lineNumber));
  entry.latitude = ReadCupCoordinate(Field(fields, columns.lat, "lat", lineNumber), true, lineNumber);
  entry.longitude = ReadCupCoordinate(Field(fields, columns.lon, "lon", lineNumber), false, lineNumber);
  if (entry.name.empty()) throw FileError(errSubscriptOutOfRange, lineNumber, "name", "the waypoint has no name");
  entry.code = OptionalField(fields, columns.code);
  entry.country = OptionalField(fields, columns.country);
  for (const auto& [column, text] : {std::pair{"name", &entry.name}, std::pair{"code", &entry.code},
                                     std::pair{"country", &entry.country}}) {
    RefuseNul(*text, "line " + std::to_string(lineNumber) + ", column " + column);
  }
  if (columns.elev >= 0) entry.altitude = ReadCupElevation(OptionalField(fields, columns.elev), lineNumber);
  return entry;
}

// A CSV field in quotes, quotes doubled; line ends would split the record.
// Names are always quoted, as SeeYou writes them.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += "\"\"";
    else out += (c == '\r' || c == '\n') ? ' ' : c;
  }
  return out + "\"";
}

// Quoted only when it has to be: several readers take an unquoted code
// column literally.
std::string CsvField(const std::string& text) {
  const bool plain = text.find_first_of(",\"\r\n") == std::string::npos && text == Trimmed(text);
  return plain ? text : Quoted(text);
}

std::string CupCoordinate(double decimal, bool latitude) {
  const double absolute = std::fabs(decimal);
  double degrees = std::floor(absolute);
  double minutes = std::round((absolute - degrees) * 60 * 1000) / 1000;
  if (minutes >= 60) {  // rounding reached the next degree
    degrees += 1;
    minutes = 0;
  }
  const char hemisphere = latitude ? (decimal < 0 ? 'S' : 'N') : (decimal < 0 ? 'W' : 'E');
  // DDMM.mmm / DDDMM.mmm: degrees and whole minutes zero-padded.
  char text[32];
  std::snprintf(text, sizeof text, "%0*d%0*.*f%c", latitude ? 2 : 3, static_cast<int>(degrees), 3 + kMinuteDecimals,
                kMinuteDecimals, minutes, hemisphere);
  return text;
}

class Cup final : public TurnpointFileFormat {
 public:
  const char* Name() const override { return "cup"; }

  std::vector<TurnpointEntry> Read(const std::string& path) const override {
    WaypointFileReader file(path);
    CsvLineSplitter splitter;
    std::optional<CupColumns> columns;
    std::vector<TurnpointEntry> entries;
    std::string line;
    while (file.ReadLine(line)) {
      if (file.LineNumber() == 1 && line.starts_with(kUtf8Bom)) line.erase(0, kUtf8Bom.size());
      if (Trimmed(line).empty()) continue;
      if (line.starts_with(kTaskMarker)) break;  // tasks are not imported
      // libcsv would end the record at a lone CR and drop the rest unseen.
      if (line.find('\r') != std::string::npos) {
        throw FileError(errTypeMismatch, file.LineNumber(), "",
                        "a line ends in CR alone; save the file with CR LF or LF line ends");
      }
      const auto& fields = splitter.Split(line, file.LineNumber());
      if (!columns) {
        columns = ReadHeader(fields, file.LineNumber());
      } else {
        entries.push_back(ReadWaypoint(fields, *columns, file.LineNumber()));
      }
    }
    return entries;
  }

  void Write(std::ostream& out, const TurnpointFileContent& content) const override {
    out << kHeader << "\r\n";
    for (const auto& entry : content.turnpoints) {
      out << Quoted(entry.name) << ',' << CsvField(entry.code) << ',' << CsvField(entry.country) << ','
          << CupCoordinate(entry.latitude, true) << ',' << CupCoordinate(entry.longitude, false) << ','
          << (entry.altitude ? FixedDecimal(*entry.altitude, 1) + "m" : "") << ',' << kWaypointStyle
          << ",,,,\"\"\r\n";
    }
    out << kTaskMarker << "\r\n";
    if (!content.task || content.task->turnpoints.empty()) return;
    // Instruments take the first and last names as takeoff and landing.
    const auto& names = content.task->turnpoints;
    out << Quoted(content.task->name) << ',' << Quoted(names.front());
    for (const auto& name : names) out << ',' << Quoted(name);
    out << ',' << Quoted(names.back()) << "\r\n";
  }
};

}  // namespace

const TurnpointFileFormat& CupFormat() {
  static const Cup format;
  return format;
}

}  // namespace zazorazari::interchange
