// Printing audit findings, repairs and merge counts.
#include "ReferenceOutput.h"

#include <cstdio>
#include <string>

#include <nlohmann/json.hpp>

#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli {

namespace {

nlohmann::ordered_json ValueJson(const Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return nullptr;
  if (value.VarType() == vtString) return value.Text();
  return CDbl(value);
}

}  // namespace

void PrintFindings(std::ostream& out, const std::vector<ReferenceFinding>& findings) {
  if (findings.empty()) {
    out << "references:            ok\n";
    return;
  }
  out << "references:            " << findings.size() << (findings.size() == 1 ? " finding" : " findings") << '\n';
  for (const ReferenceFinding& finding : findings) {
    out << "  " << finding.strKind << ": " << finding.strDescription
        << (finding.bRepairable ? " (repair fixes it)" : " (for a person to resolve)") << '\n';
  }
}

void PrintCheckJson(std::ostream& out, const std::string& kind, const std::string& integrity,
                    const std::vector<ReferenceFinding>& findings) {
  auto list = nlohmann::ordered_json::array();
  for (const ReferenceFinding& finding : findings) {
    list.push_back({{"kind", finding.strKind},
                    {"table", finding.strTable},
                    {"key", finding.lPk},
                    {"column", finding.strColumn},
                    {"value", ValueJson(finding.vntValue)},
                    {"description", finding.strDescription},
                    {"repairable", finding.bRepairable}});
  }
  const nlohmann::ordered_json check{{"file", kind}, {"integrity", integrity}, {"findings", list}};
  out << check.dump(2) << '\n';
}

void PrintRepair(std::ostream& out, const ReferenceRepairReport& report) {
  for (const std::string& action : report.actions) out << (report.bDryRun ? "would: " : "done: ") << action << '\n';
  if (report.actions.empty()) out << "Nothing to repair.\n";
  for (const ReferenceFinding& finding : report.remaining) {
    out << "left for a person: " << finding.strKind << ": " << finding.strDescription << '\n';
  }
  if (report.bDryRun && !report.actions.empty()) out << "Dry run: nothing was written.\n";
}

void PrintMergeReport(std::ostream& out, const CatalogMergeReport& report) {
  char line[128];
  std::snprintf(line, sizeof line, "%-20s %7s %7s %11s %7s\n", "table", "added", "matched", "overwritten", "skipped");
  out << line;
  for (const CatalogMergeCount& count : report.tables) {
    std::snprintf(line, sizeof line, "%-20s %7d %7d %11d %7d\n", count.strTable.c_str(), count.lAdded, count.lMatched,
                  count.lOverwritten, count.lSkipped);
    out << line;
  }
  for (const std::string& note : report.notes) out << note << '\n';
  out << (report.Changed() ? "Merged." : "Nothing added or changed: the target already holds the catalogue.") << '\n';
}

}  // namespace zazorazari::cli
