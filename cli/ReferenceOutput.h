// Output of the reference audit, the repair and the catalogue merge: text
// lines for a person, or JSON for a program.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <zazorazari/database/CatalogMergeReport.h>
#include <zazorazari/database/ReferenceFinding.h>

namespace zazorazari::cli {

// "references: ok", or the count and one indented line per finding.
void PrintFindings(std::ostream& out, const std::vector<ReferenceFinding>& findings);

// {"file": kind, "integrity": text, "findings": [{kind, table, key, column,
// value, description, repairable}, ...]}
void PrintCheckJson(std::ostream& out, const std::string& kind, const std::string& integrity,
                    const std::vector<ReferenceFinding>& findings);

// What the repair did (or would do) and what is left for a person.
void PrintRepair(std::ostream& out, const ReferenceRepairReport& report);

// One line per table with its four counts, the notes, and a last line
// saying whether anything was written.
void PrintMergeReport(std::ostream& out, const CatalogMergeReport& report);

}  // namespace zazorazari::cli
