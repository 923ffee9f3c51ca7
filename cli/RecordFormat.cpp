// Text, CSV, JSON and table forms of records.
#include "RecordFormat.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "ChoiceOption.h"
#include "RecordText.h"
#include "Refusal.h"
#include "Suggestion.h"
#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli {

namespace {

using Json = nlohmann::ordered_json;

// The fields to print, in the order asked for.
std::vector<CFieldPtr> Chosen(const CDataObject& record, const std::vector<std::string>& columns) {
  if (columns.empty()) return {record.begin(), record.end()};
  std::vector<CFieldPtr> fields;
  for (const auto& name : columns) fields.push_back(record.Fields(name));
  return fields;
}

void CheckColumns(const CDataObject& shape, const std::vector<std::string>& columns) {
  std::vector<std::string> names;
  for (const auto& field : shape) names.push_back(field->Name());
  for (const auto& name : columns) {
    if (!shape.HasField(name)) {
      throw UsageError("--columns: '" + shape.Name() + "' has no field '" + name + "'." + DidYouMean(name, names));
    }
  }
}

std::string FieldText(const CField& field) { return field.Value().IsNull() ? std::string() : CStr(field.Value()); }

std::string TextForm(const CDataObject& record, const std::vector<std::string>& columns) {
  std::string text;
  for (const auto& field : Chosen(record, columns)) text += field->Name() + "=" + EscapeFieldText(FieldText(*field)) + "\n";
  return text;
}

std::string CsvField(const std::string& text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

void CsvLine(std::ostream& out, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) out << (i ? "," : "") << CsvField(cells[i]);
  out << '\n';
}

std::vector<std::string> Names(const CDataObject& record, const std::vector<std::string>& columns) {
  std::vector<std::string> names;
  for (const auto& field : Chosen(record, columns)) names.push_back(field->Name());
  return names;
}

std::vector<std::string> Texts(const CDataObject& record, const std::vector<std::string>& columns) {
  std::vector<std::string> texts;
  for (const auto& field : Chosen(record, columns)) texts.push_back(FieldText(*field));
  return texts;
}

// The shortest number that agrees with the stored one to 13 significant
// digits: arithmetic noise in the last digits (57.5999999999999 for 57.6)
// is not printed. Single precision keeps its 7 digits.
double Shortest(double value, int maxDigits, double tolerance) {
  for (int digits = 1; digits < maxDigits; ++digits) {
    const double candidate = std::strtod(FormatNumber(value, digits).c_str(), nullptr);
    if (std::fabs(candidate - value) <= tolerance * std::fabs(value)) return candidate;
  }
  return std::strtod(FormatNumber(value, maxDigits).c_str(), nullptr);
}

Json JsonValue(const Variant& value) {
  switch (value.VarType()) {
    case vtEmpty:
    case vtNull:
      return nullptr;
    case vtBoolean:
      return value.Number() != 0;
    case vtInteger:
    case vtLong:
    case vtByte:
      return static_cast<int64_t>(value.Number());
    case vtSingle:
      return Shortest(value.Number(), 7, 0);
    case vtDouble:
    case vtCurrency:
      return Shortest(value.Number(), 15, 1e-13);
    case vtDate:
      // Day 0 holds a time of day alone.
      return value.Number() >= 0 && value.Number() < 1 ? FormatLongTime(value.Number()) : FormatIsoDate(value.Number());
    default:
      return CStr(value);
  }
}

Json JsonObject(const CDataObject& record, const std::vector<std::string>& columns) {
  Json object = Json::object();
  for (const auto& field : Chosen(record, columns)) object[field->Name()] = JsonValue(field->Value());
  return object;
}

// Characters on screen: UTF-8 continuation bytes take no room.
size_t Width(const std::string& text) {
  size_t width = 0;
  for (unsigned char c : text) width += (c & 0xC0) != 0x80;
  return width;
}

void TableLine(std::ostream& out, const std::vector<std::string>& cells, const std::vector<size_t>& widths) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i) line += "  ";
    line += cells[i];
    if (i + 1 < cells.size()) line += std::string(widths[i] - Width(cells[i]), ' ');
  }
  out << line << '\n';
}

void PrintTable(std::ostream& out, const CDataObject& shape, const std::vector<CDataObjectPtr>& records,
                const std::vector<std::string>& columns) {
  const std::vector<std::string> header = Names(shape, columns);
  std::vector<std::vector<std::string>> rows;
  std::vector<size_t> widths;
  for (const auto& name : header) widths.push_back(Width(name));
  for (const auto& record : records) {
    rows.push_back(Texts(*record, columns));
    for (size_t i = 0; i < widths.size(); ++i) {
      rows.back()[i] = EscapeFieldText(rows.back()[i]);
      widths[i] = std::max(widths[i], Width(rows.back()[i]));
    }
  }
  TableLine(out, header, widths);
  std::vector<std::string> rule;
  for (size_t width : widths) rule.emplace_back(width, '-');
  TableLine(out, rule, widths);
  for (const auto& row : rows) TableLine(out, row, widths);
}

OutputFormat Resolved(OutputFormat format, bool table) {
  if (format != OutputFormat::Default) return format;
  return table && isatty(STDOUT_FILENO) == 1 ? OutputFormat::Table : OutputFormat::Text;
}

}  // namespace

void AddOutputOptions(CLI::App* sub, OutputOptions& options) {
  const std::map<std::string, OutputFormat> names{{"text", OutputFormat::Text},
                                                  {"csv", OutputFormat::Csv},
                                                  {"json", OutputFormat::Json},
                                                  {"table", OutputFormat::Table}};
  AddChoiceOption(sub, "--format", options.format, names,
                  "Output form (default: table at a terminal for lists, else text)");
  sub->add_option("--columns", options.columns, "Only these fields, in this order, e.g. pilPk,pilLastName")
      ->delimiter(',');
}

void PrintRecord(std::ostream& out, const CDataObject& record, const OutputOptions& options) {
  CheckColumns(record, options.columns);
  switch (Resolved(options.format, false)) {
    case OutputFormat::Csv:
      CsvLine(out, Names(record, options.columns));
      CsvLine(out, Texts(record, options.columns));
      break;
    case OutputFormat::Json:
      out << JsonObject(record, options.columns).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
      break;
    case OutputFormat::Table:
      PrintTable(out, record, {record.Clone()}, options.columns);
      break;
    default:
      out << TextForm(record, options.columns);
  }
}

void PrintRecords(std::ostream& out, const CDataObject& shape, const std::vector<CDataObjectPtr>& records,
                  const OutputOptions& options) {
  CheckColumns(shape, options.columns);
  switch (Resolved(options.format, true)) {
    case OutputFormat::Csv:
      CsvLine(out, Names(shape, options.columns));
      for (const auto& record : records) CsvLine(out, Texts(*record, options.columns));
      break;
    case OutputFormat::Json: {
      Json array = Json::array();
      for (const auto& record : records) array.push_back(JsonObject(*record, options.columns));
      out << array.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
      break;
    }
    case OutputFormat::Table:
      PrintTable(out, shape, records, options.columns);
      break;
    default:
      for (size_t i = 0; i < records.size(); ++i) out << (i ? "\n" : "") << TextForm(*records[i], options.columns);
  }
}

}  // namespace zazorazari::cli
