// CSV text as spreadsheets and online registration forms write it: UTF-8
// with or without a byte order mark, or Windows-1252; ',' ';' or tab
// between cells; quoted cells that may hold separators, quotes and line ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zazorazari::interchange {

struct CsvRow {
  int32_t line = 0;  // the line of the file the row starts on (1-based)
  std::vector<std::string> cells;
};

struct CsvTable {
  char separator = ',';
  std::vector<CsvRow> rows;  // blank lines left out; the first is the header
};

// The whole file, in UTF-8, the separator taken from the first line (the
// one of ';' ',' and tab it holds most often). Fails with 53 for a missing
// file, 75 for an unreadable one, 62 for an empty one and 13 naming the line
// of a misplaced or unbalanced quote.
CsvTable ReadCsvFile(const std::string& strPath);

// One row as a line of the file, each cell quoted when it holds the
// separator, a quote or a line end; ends with CR LF.
std::string CsvLine(const std::vector<std::string>& cells, char separator);

}  // namespace zazorazari::interchange
