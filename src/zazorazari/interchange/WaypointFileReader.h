// Line-by-line reading of a waypoint file: CR LF or LF line ends, a last
// line without a line end, and lines in UTF-8 or Windows-1252.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace zazorazari::interchange {

class WaypointFileReader {
 public:
  // Fails with 53 when the file does not exist and 75 when it cannot be read.
  explicit WaypointFileReader(const std::string& path);

  // The next line in UTF-8, without its line end; false at the end of the
  // file. A line that is not valid UTF-8 is read as Windows-1252.
  bool ReadLine(std::string& line);

  // 1-based number of the line ReadLine returned last.
  int32_t LineNumber() const { return m_lineNumber; }

 private:
  std::ifstream m_file;
  int32_t m_lineNumber = 0;
};

}  // namespace zazorazari::interchange
