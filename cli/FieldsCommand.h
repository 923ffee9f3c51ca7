// `fields TYPE [FILE]`: every field of a data object type with its type,
// size and the codes the library gives a meaning.
#pragma once

#include "CommandSet.h"

namespace zazorazari::cli {

void AddFieldsCommand(CommandSet& commands);

}  // namespace zazorazari::cli
