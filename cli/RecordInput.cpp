// Reading field values into a record.
#include "RecordInput.h"

#include <CLI/CLI.hpp>

#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli {

namespace {

Assignment SplitAssignment(const std::string& text) {
  const auto equals = text.find('=');
  if (equals == std::string::npos || equals == 0) {
    throw CLI::ValidationError("FIELD=VALUE", "'" + text + "' is not of the form FIELD=VALUE");
  }
  return {text.substr(0, equals), text.substr(equals + 1)};
}

Variant FieldValue(const std::string& text, int32_t dataType) {
  if (text.empty()) return Variant::Null();
  const Variant given(text);
  switch (dataType) {
    case 1:
      return Variant(CBool(given));
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 19:
      return Variant(CDbl(given));
    case 8:
      return Variant::Date(CDate(given));
    default:
      return given;
  }
}

}  // namespace

std::vector<Assignment> ParseAssignments(const std::vector<std::string>& arguments) {
  std::vector<Assignment> assignments;
  for (const auto& argument : arguments) assignments.push_back(SplitAssignment(argument));
  return assignments;
}

std::vector<Assignment> ReadRecordText(std::istream& in) {
  std::vector<Assignment> assignments;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) assignments.push_back(SplitAssignment(line));
  }
  return assignments;
}

void ApplyAssignments(CDataObject& record, const std::vector<Assignment>& assignments) {
  for (const auto& [name, text] : assignments) {
    if (!record.HasField(name)) {
      throw CLI::ValidationError("FIELD=VALUE", "'" + record.Name() + "' has no field '" + name + "'");
    }
    const CFieldPtr field = record.Fields(name);
    field->SetValue(FieldValue(text, field->DataType()));
  }
}

}  // namespace zazorazari::cli
