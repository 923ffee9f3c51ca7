// The overwrite question (frmAskOverwrite) of the copy between files: asks
// at the terminal, or follows --overwrite when nobody can answer.
#pragma once

#include <string>
#include <vector>

#include <zazorazari/platform/Dispatch.h>

namespace zazorazari::cli {

enum class OverwritePolicy { Ask, Skip, Force };

// The host object with SingleObject, ObjectName, Show and Answer. Ask asks
// at a terminal and skips without one, so nothing is overwritten unasked.
DispatchPtr MakeOverwriteQuestion(OverwritePolicy policy);

// The copy's three conflict messages (start number, global ID, turnpoint
// ID taken): the record's name, then the value another record holds.
const std::vector<std::string>& CopyConflictMessages();

}  // namespace zazorazari::cli
