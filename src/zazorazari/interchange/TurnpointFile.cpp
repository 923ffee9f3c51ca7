// Choosing a turnpoint file format, and the number reading, number writing
// and error texts that the formats share.
#include "zazorazari/interchange/TurnpointFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr size_t kSniffBytes = 512;

const std::array<const TurnpointFileFormat*, 4>& AllFormats() {
  static const std::array<const TurnpointFileFormat*, 4> formats{&CupFormat(), &GpxFormat(), &GeoJsonFormat(),
                                                                 &OziFormat()};
  return formats;
}

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

std::string_view TrimSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The format the first bytes of the file show, or nullptr.
const TurnpointFileFormat* FormatOfContent(std::string_view head) {
  if (head.starts_with(kUtf8Bom)) head.remove_prefix(kUtf8Bom.size());
  head = TrimSpaces(head);
  if (head.starts_with("<")) return &GpxFormat();
  if (head.starts_with("{")) return &GeoJsonFormat();
  if (head.starts_with("OziExplorer Waypoint File")) return &OziFormat();
  const std::string firstLine = Lower(head.substr(0, head.find('\n')));
  if ((firstLine.starts_with("name,") || firstLine.starts_with("title,") || firstLine.starts_with("\"name\",")) &&
      firstLine.find("lat") != std::string::npos) {
    return &CupFormat();
  }
  return nullptr;
}

const TurnpointFileFormat* FormatOfExtension(const std::string& path) {
  const std::string extension = Lower(fs::path(path).extension().string());
  if (extension == ".cup") return &CupFormat();
  if (extension == ".gpx") return &GpxFormat();
  if (extension == ".geojson" || extension == ".json") return &GeoJsonFormat();
  if (extension == ".wpt") return &OziFormat();
  return nullptr;
}

Error UnknownFormat(const std::string& what) {
  return Error(errInvalidProcedureCall, kRuntimeSource, ErrorDescription(errInvalidProcedureCall) + ": " + what);
}

}  // namespace

const TurnpointFileFormat& TurnpointFormatFor(const std::string& strFormat, const std::string& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) throw RuntimeError(errFileNotFound);
  std::ifstream file(path, std::ios::binary);
  if (!file || fs::is_directory(path, ec)) throw RuntimeError(errPathFileAccess);
  std::string head(kSniffBytes, '\0');
  file.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(file.gcount()));
  if (TrimSpaces(head).empty() || head == kUtf8Bom) throw FileError(errInputPastEndOfFile, 1, "", "the file is empty");

  if (!strFormat.empty()) {
    const std::string wanted = Lower(strFormat);
    for (const auto* format : AllFormats()) {
      if (wanted == format->Name()) return *format;
    }
    throw UnknownFormat("no turnpoint file format '" + strFormat + "' (cup, gpx, geojson, ozi)");
  }
  if (const auto* format = FormatOfContent(head)) return *format;
  if (const auto* format = FormatOfExtension(path)) return *format;
  throw UnknownFormat("'" + path + "' is no turnpoint file of a known format");
}

const TurnpointFileFormat& TurnpointFormatForWriting(const std::string& strFormat, const std::string& path) {
  const std::string wanted = Lower(strFormat);
  for (const auto* format : AllFormats()) {
    if (wanted == format->Name()) return *format;
  }
  if (strFormat.empty()) {
    if (const auto* format = FormatOfExtension(path)) return *format;
    throw UnknownFormat("the extension of '" + path + "' names no turnpoint file format");
  }
  throw UnknownFormat("no turnpoint file format '" + strFormat + "' (cup, gpx, geojson, ozi)");
}

Error PlacedError(int32_t number, const std::string& place, std::string_view detail) {
  std::string description = ErrorDescription(number);
  if (!place.empty()) description += " (" + place + ")";
  if (!detail.empty()) description += ": " + std::string(detail);
  return Error(number, kRuntimeSource, description);
}

Error FileError(int32_t number, int32_t line, std::string_view column, std::string_view detail) {
  std::string place = "line " + std::to_string(line);
  if (!column.empty()) place += ", column " + std::string(column);
  return PlacedError(number, place, detail);
}

void RefuseNul(std::string_view text, const std::string& place) {
  if (text.find('\0') != std::string_view::npos) {
    throw PlacedError(errEngineConversion, place, "the text holds a NUL character");
  }
}

std::optional<double> ReadDecimal(std::string_view text) {
  text = TrimSpaces(text);
  if (text.starts_with('+')) text.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string ShortestDecimal(double value) {
  std::array<char, 400> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
  std::string text(buffer.data(), result.ptr);
  if (text.find('.') == std::string::npos) text += ".0";
  return text;
}

std::string FixedDecimal(double value, int decimals) {
  std::array<char, 400> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace zazorazari::interchange
