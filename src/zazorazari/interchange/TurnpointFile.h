// Turnpoint files that pilots' instruments and planning tools exchange
// (SeeYou .cup, GPX, GeoJSON, OziExplorer .wpt): one reader and one writer
// per format behind one small interface, and what they share.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "zazorazari/platform/Error.h"

namespace zazorazari::interchange {

// One waypoint as the files carry it: WGS 84, decimal degrees, metres.
struct TurnpointEntry {
  std::string name;
  std::string code;     // the identifier; "" where the format has none (the name serves)
  std::string country;  // two-letter nation code; "" when unknown
  double latitude = 0;
  double longitude = 0;
  std::optional<double> altitude;
  int32_t line = 0;  // where it was read (feature number in GeoJSON), for messages
};

// A task as instruments read it from a .cup file: its name and the names of
// its turnpoints in task order.
struct TurnpointTask {
  std::string name;
  std::vector<std::string> turnpoints;
};

struct TurnpointFileContent {
  std::vector<TurnpointEntry> turnpoints;  // each turnpoint once
  std::optional<TurnpointTask> task;
};

class TurnpointFileFormat {
 public:
  virtual ~TurnpointFileFormat() = default;
  // "cup", "gpx", "geojson" or "ozi".
  virtual const char* Name() const = 0;
  // Every waypoint of the file; fails with an Error naming the line (see
  // FileError) and reads nothing partially.
  virtual std::vector<TurnpointEntry> Read(const std::string& path) const = 0;
  // The whole file; formats without tasks write the turnpoints alone.
  virtual void Write(std::ostream& out, const TurnpointFileContent& content) const = 0;
};

const TurnpointFileFormat& CupFormat();
const TurnpointFileFormat& GpxFormat();
const TurnpointFileFormat& GeoJsonFormat();
const TurnpointFileFormat& OziFormat();

// The format of that name (letter case ignored); "" detects it from the
// file's first bytes, then from its extension. Fails with 5 for an unknown
// name or a file of no known format, 53 for a missing file, and 62 for an
// empty one.
const TurnpointFileFormat& TurnpointFormatFor(const std::string& strFormat, const std::string& path);

// The format of that name, else of the file's extension, for a file to be
// written; fails with 5 when neither names one.
const TurnpointFileFormat& TurnpointFormatForWriting(const std::string& strFormat, const std::string& path);

// Runtime error `number` whose description says where the fault is and
// what it is: "Type mismatch (line 7, column lat): '47x' is no coordinate".
Error PlacedError(int32_t number, const std::string& place, std::string_view detail);
// The same at a line, and a column where one applies ("" for none).
Error FileError(int32_t number, int32_t line, std::string_view column, std::string_view detail);

// Refuses a text holding a NUL character, which no column can store (3421),
// naming where it stands ("line 3, column name").
void RefuseNul(std::string_view text, const std::string& place);

// Strict number reading: the whole text (spaces around it allowed) must be
// a decimal number; nullopt otherwise.
std::optional<double> ReadDecimal(std::string_view text);

// The shortest text that reads back as exactly this value, never with an
// exponent ("47.5", "-0.00001").
std::string ShortestDecimal(double value);

// A value rounded to `decimals` places, fixed notation.
std::string FixedDecimal(double value, int decimals);

// Metres from feet, as the formats that count in feet need.
constexpr double kMetresPerFoot = 0.3048;

}  // namespace zazorazari::interchange
