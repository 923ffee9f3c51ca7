// Field values given on the command line (FIELD=VALUE) or on standard input
// in the record text form (one Name=Value line per field, escaped).
#pragma once

#include <istream>
#include <string>
#include <utility>
#include <vector>

#include <zazorazari/dataobject/CDataObject.h>

namespace zazorazari::cli {

using Assignment = std::pair<std::string, std::string>;

// "FIELD=VALUE" arguments; one without "=" is a usage error.
std::vector<Assignment> ParseAssignments(const std::vector<std::string>& arguments);

// Name=Value lines, CR LF or LF ended, values unescaped; empty lines are
// skipped. Input without any line is refused: it would write a blank record.
std::vector<Assignment> ReadRecordText(std::istream& in);

// Sets each named field to the value a write will store, read by the
// library's conversion for the field's column: an empty value is NULL. A
// name the record lacks is a usage error; a value the column cannot hold is
// refused with the field, the value and the rule; a number rounded to a
// whole one is said on standard error.
void ApplyAssignments(CDataObject& record, const std::vector<Assignment>& assignments);

// True when `name` is among the assignments (ignoring case, as field names do).
bool Assigns(const std::vector<Assignment>& assignments, const std::string& name);

}  // namespace zazorazari::cli
