// Reads CSV files with libcsv, one physical line at a time so that every row
// keeps the line number it starts on, and writes them back.
#include "zazorazari/interchange/CsvTable.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "zazorazari/interchange/TurnpointFile.h"
#include "zazorazari/interchange/Windows1252Text.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string ReadDecoded(const std::string& strPath) {
  std::error_code ec;
  if (!std::filesystem::exists(strPath, ec)) throw RuntimeError(errFileNotFound);
  std::ifstream in(strPath, std::ios::binary);
  if (!in || std::filesystem::is_directory(strPath, ec)) throw RuntimeError(errPathFileAccess);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw RuntimeError(errPathFileAccess);
  if (bytes.starts_with(kBom)) return bytes.substr(kBom.size());
  return IsValidUtf8(bytes) ? bytes : Windows1252ToUtf8(bytes);
}

// The candidate that the first line holds most often outside quotes; ','
// when it holds none (a one-column file).
char DetectSeparator(std::string_view text) {
  constexpr std::array<char, 3> kCandidates{',', ';', '\t'};
  std::array<int, 3> counts{};
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == '\n' || c == '\r')) break;
    for (size_t i = 0; i < kCandidates.size(); ++i) counts[i] += !quoted && c == kCandidates[i];
  }
  const auto best = std::max_element(counts.begin(), counts.end()) - counts.begin();
  return counts[static_cast<size_t>(best)] == 0 ? ',' : kCandidates[static_cast<size_t>(best)];
}

class CsvParser {
 public:
  explicit CsvParser(char separator) {
    csv_init(&m_parser, CSV_STRICT | CSV_STRICT_FINI);
    csv_set_delim(&m_parser, static_cast<unsigned char>(separator));
    // Blanks around unquoted cells are trimmed, tabs only when they do not
    // separate cells.
    if (separator == '\t') csv_set_space_func(&m_parser, [](unsigned char c) { return c == ' ' ? 1 : 0; });
  }
  ~CsvParser() { csv_free(&m_parser); }
  CsvParser(const CsvParser&) = delete;
  CsvParser& operator=(const CsvParser&) = delete;

  std::vector<CsvRow> Parse(std::string_view text) {
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      end = end == std::string_view::npos ? text.size() : end + 1;
      ++m_line;
      const std::string_view line = text.substr(start, end - start);
      if (csv_parse(&m_parser, line.data(), line.size(), OnCell, OnRowEnd, this) != line.size()) Fail();
      start = end;
    }
    if (csv_fini(&m_parser, OnCell, OnRowEnd, this) != 0) Fail();
    return std::move(m_rows);
  }

 private:
  [[noreturn]] void Fail() { throw FileError(errTypeMismatch, m_line, "", "misplaced or unbalanced quote"); }

  static void OnCell(void* text, size_t length, void* self) {
    auto& parser = *static_cast<CsvParser*>(self);
    std::string cell(static_cast<const char*>(text), length);
    // A quoted cell may span lines: the row starts on the line of its first.
    if (parser.m_cells.empty()) {
      parser.m_rowLine = parser.m_line - static_cast<int32_t>(std::count(cell.begin(), cell.end(), '\n'));
    }
    parser.m_cells.push_back(std::move(cell));
  }

  static void OnRowEnd(int, void* self) {
    auto& parser = *static_cast<CsvParser*>(self);
    const bool blank = parser.m_cells.size() == 1 && parser.m_cells[0].empty();
    if (!parser.m_cells.empty() && !blank) parser.m_rows.push_back({parser.m_rowLine, std::move(parser.m_cells)});
    parser.m_cells.clear();
  }

  csv_parser m_parser{};
  int32_t m_line = 0;
  int32_t m_rowLine = 0;
  std::vector<std::string> m_cells;
  std::vector<CsvRow> m_rows;
};

}  // namespace

CsvTable ReadCsvFile(const std::string& strPath) {
  const std::string text = ReadDecoded(strPath);
  CsvTable table;
  table.separator = DetectSeparator(text);
  table.rows = CsvParser(table.separator).Parse(text);
  if (table.rows.empty()) throw FileError(errInputPastEndOfFile, 1, "", "the file is empty");
  return table;
}

std::string CsvLine(const std::vector<std::string>& cells, char separator) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += separator;
    const std::string& cell = cells[i];
    // Spaces at either end are quoted too: the reader trims unquoted ones.
    const bool quote = cell.find_first_of(std::string("\"\r\n") + separator) != std::string::npos ||
                       (!cell.empty() && (cell.front() == ' ' || cell.back() == ' '));
    if (!quote) {
      line += cell;
      continue;
    }
    line += '"';
    for (char c : cell) line += c == '"' ? std::string("\"\"") : std::string(1, c);
    line += '"';
  }
  return line + "\r\n";
}

}  // namespace zazorazari::interchange
