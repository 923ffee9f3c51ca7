// The repair command: fixes what the reference audit of `check` finds and a
// program can fix alone, in one transaction, or shows it (--dry-run).
#include <iostream>
#include <memory>
#include <string>

#include "CommandSet.h"
#include "OpenDatabase.h"
#include "ReferenceOutput.h"

namespace zazorazari::cli {

namespace {

struct RepairArgs {
  std::string file;
  bool dryRun = false;
};

// 0 when nothing is left for a person, 1 otherwise.
int Repair(const RepairArgs& a) {
  auto db = OpenDatabase(a.file);
  const ReferenceRepairReport report = db->RepairReferences(a.dryRun);
  db->CloseDB();
  PrintRepair(std::cout, report);
  return report.remaining.empty() ? 0 : 1;
}

}  // namespace

void AddReferenceCommands(CommandSet& commands) {
  auto a = std::make_shared<RepairArgs>();
  CLI::App* repair = commands.Add(
      "repair", "Fix dangling references, attribute slots and missing results that check reports",
      "zazorazari repair cup.mdb --dry-run", [a] { return Repair(*a); },
      "Removes rows that belong to a missing task, pilot, turnpoint, attribute or attribute value, clears other "
      "references to missing rows, rewrites pilots' attribute slots from their attribute rows and adds missing "
      "result rows, all in one transaction. Shared start numbers and global IDs and doubled results are listed "
      "for a person to resolve (exit 1), never changed.");
  repair->add_option("FILE", a->file, "Database file")->required();
  repair->add_flag("--dry-run", a->dryRun, "Print what would be done; write nothing");
}

}  // namespace zazorazari::cli
