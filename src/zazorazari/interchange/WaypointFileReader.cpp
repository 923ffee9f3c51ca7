// Reads waypoint files line by line.
#include "zazorazari/interchange/WaypointFileReader.h"

#include <filesystem>
#include <system_error>

#include "zazorazari/interchange/Windows1252Text.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

WaypointFileReader::WaypointFileReader(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) throw RuntimeError(errFileNotFound);
  // A folder opens as a stream on some libraries but never reads.
  if (std::filesystem::is_directory(path, ec)) throw RuntimeError(errPathFileAccess);
  m_file.open(path, std::ios::binary);
  if (!m_file) throw RuntimeError(errPathFileAccess);
}

bool WaypointFileReader::ReadLine(std::string& line) {
  if (!std::getline(m_file, line)) {
    if (m_file.bad()) throw RuntimeError(errPathFileAccess);
    return false;
  }
  ++m_lineNumber;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (!IsValidUtf8(line)) line = Windows1252ToUtf8(line);
  return true;
}

}  // namespace zazorazari::interchange
