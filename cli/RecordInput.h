// Field values given on the command line (FIELD=VALUE) or on standard input
// in the record text form (one Name=Value line per field).
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

// Name=Value lines, CR LF or LF ended; empty lines are skipped.
std::vector<Assignment> ReadRecordText(std::istream& in);

// Sets each named field: an empty value makes it NULL, otherwise the text is
// read as the field's type (numbers with a decimal point, dates as
// dd.mm.yyyy[ hh:mm:ss] or ISO 8601, booleans True/False). A name the record
// lacks is a usage error; a value its type cannot hold fails with 13.
void ApplyAssignments(CDataObject& record, const std::vector<Assignment>& assignments);

}  // namespace zazorazari::cli
