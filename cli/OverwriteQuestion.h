// The overwrite question (frmAskOverwrite) of the copy between files: asks
// at the terminal, or follows --overwrite when nobody can answer.
#pragma once

#include <string>
#include <vector>

#include <zazorazari/platform/Dispatch.h>

namespace zazorazari::cli {

enum class OverwritePolicy { Ask, Skip, Force };

// What the answers were, for the copy's summary.
struct OverwriteTally {
  int overwritten = 0;
  int skipped = 0;
  int unanswered = 0;  // skipped because nobody was at a terminal to ask
};

// The host object with SingleObject, ObjectName, Show and Answer. Ask asks
// at a terminal and skips without one, so nothing is overwritten unasked;
// `tally` counts the answers and must outlive the copy.
DispatchPtr MakeOverwriteQuestion(OverwritePolicy policy, OverwriteTally& tally);

// The copy's three conflict messages (start number, global ID, turnpoint
// ID taken): the record's name, then the value another record holds.
const std::vector<std::string>& CopyConflictMessages();

}  // namespace zazorazari::cli
