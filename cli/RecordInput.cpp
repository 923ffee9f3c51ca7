// Reading field values into a record, checked before anything is written.
#include "RecordInput.h"

#include <strings.h>

#include <iostream>
#include "Refusal.h"
#include "RecordText.h"
#include "Suggestion.h"
#include "Terminal.h"
#include <zazorazari/database/CDatabase.h>
#include <zazorazari/database/HostChecks.h>
#include <zazorazari/platform/Conversions.h>
#include <zazorazari/platform/Error.h>

namespace zazorazari::cli {

namespace {

Assignment SplitAssignment(const std::string& text) {
  const auto equals = text.find('=');
  if (equals == std::string::npos || equals == 0) {
    throw UsageError("'" + text + "' is not of the form FIELD=VALUE.");
  }
  return {text.substr(0, equals), text.substr(equals + 1)};
}

// What a column of the field's type holds, as the reason for a refusal.
std::string TypeRule(int32_t dataType) {
  switch (dataType) {
    case 1: return "is not True, False, Yes, No, -1 or 0";
    case 2: return "is not a whole number between 0 and 255";
    case 3: return "is not a whole number between -32768 and 32767";
    case 4: return "is not a whole number between -2147483648 and 2147483647";
    case 5: return "is not an amount between -922337203685477 and 922337203685477";
    case 6: return "is not a number between -3.4E+38 and 3.4E+38";
    case 8: return "is not a date and time (dd.mm.yyyy[ hh:mm:ss], hh:mm:ss, m/d/yyyy or yyyy-mm-dd[Thh:mm:ss])";
    case 10:
    case 12: return "is not text the field can hold";
    default: return "is not a number (with a decimal point)";
  }
}

bool IsWholeNumberType(int32_t dataType) { return dataType >= 2 && dataType <= 4; }

std::vector<std::string> FieldNames(const CDataObject& record) {
  std::vector<std::string> names;
  for (const auto& field : record) names.push_back(field->Name());
  return names;
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
    if (line.empty()) continue;
    auto [name, value] = SplitAssignment(line);
    assignments.emplace_back(name, UnescapeFieldText(value));
  }
  if (assignments.empty()) {
    throw Refusal("Standard input held no Name=Value line, so there is no record to add.");
  }
  return assignments;
}

void ApplyAssignments(CDataObject& record, const std::vector<Assignment>& assignments) {
  for (const auto& [name, text] : assignments) {
    if (!record.HasField(name)) {
      throw UsageError("'" + record.Name() + "' has no field '" + name + "'." + DidYouMean(name, FieldNames(record)) +
                       " 'zazorazari fields " + record.Name() + "' lists them.");
    }
    const CFieldPtr field = record.Fields(name);
    Variant stored;
    try {
      stored = ConvertForField(*field, Variant(text));
    } catch (const Error& e) {
      throw Refusal(field->Name() + ": '" + text + "' " + TypeRule(field->DataType()) + "; nothing was written. (" +
                    std::to_string(e.Number()) + " " + e.Description() + ")");
    }
    if (IsWholeNumberType(field->DataType()) && !stored.IsNull() && CDbl(Variant(text)) != stored.Number()) {
      EndProgressLine();
      std::cerr << "zazorazari: note: " << field->Name() << "='" << text << "' is stored as " << CStr(stored)
                << " (a whole-number field; halves round to the even neighbour)\n";
    }
    field->SetValue(stored);
  }
}

bool Assigns(const std::vector<Assignment>& assignments, const std::string& name) {
  for (const auto& assignment : assignments) {
    if (strcasecmp(assignment.first.c_str(), name.c_str()) == 0) return true;
  }
  return false;
}

}  // namespace zazorazari::cli
