// Text, CSV and JSON forms of records.
#include "RecordFormat.h"

#include <cstdio>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "ChoiceOption.h"

#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli {

namespace {

using Json = nlohmann::ordered_json;

// The record text form with the line ends of this platform.
std::string TextForm(const CDataObject& record) {
  std::string text = record.ToString();
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
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

std::vector<std::string> FieldNames(const CDataObject& record) {
  std::vector<std::string> names;
  for (const auto& field : record) names.push_back(field->Name());
  return names;
}

std::vector<std::string> FieldTexts(const CDataObject& record) {
  std::vector<std::string> texts;
  for (const auto& field : record) texts.push_back(field->Value().IsNull() ? std::string() : CStr(field->Value()));
  return texts;
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
    case vtDouble:
    case vtCurrency:
      return value.Number();
    case vtDate:
      return FormatIsoDate(value.Number());
    default:
      return CStr(value);
  }
}

Json JsonObject(const CDataObject& record) {
  Json object = Json::object();
  for (const auto& field : record) object[field->Name()] = JsonValue(field->Value());
  return object;
}

}  // namespace

void AddFormatOption(CLI::App* sub, OutputFormat& format) {
  const std::map<std::string, OutputFormat> names{
      {"text", OutputFormat::Text}, {"csv", OutputFormat::Csv}, {"json", OutputFormat::Json}};
  AddChoiceOption(sub, "--format", format, names, "Output form (default text)");
}

void PrintRecord(std::ostream& out, const CDataObject& record, OutputFormat format) {
  switch (format) {
    case OutputFormat::Text:
      out << TextForm(record);
      break;
    case OutputFormat::Csv:
      CsvLine(out, FieldNames(record));
      CsvLine(out, FieldTexts(record));
      break;
    case OutputFormat::Json:
      out << JsonObject(record).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
      break;
  }
}

void PrintRecords(std::ostream& out, const CDataObject& shape, const std::vector<CDataObjectPtr>& records,
                  OutputFormat format) {
  switch (format) {
    case OutputFormat::Text:
      for (size_t i = 0; i < records.size(); ++i) out << (i ? "\n" : "") << TextForm(*records[i]);
      break;
    case OutputFormat::Csv:
      CsvLine(out, FieldNames(shape));
      for (const auto& record : records) CsvLine(out, FieldTexts(*record));
      break;
    case OutputFormat::Json: {
      Json array = Json::array();
      for (const auto& record : records) array.push_back(JsonObject(*record));
      out << array.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
      break;
    }
  }
}

}  // namespace zazorazari::cli
