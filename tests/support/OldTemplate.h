// Fixture files in the layout of older schema versions, made from the built
// template.
#pragma once

#include <string>

namespace zaztest {

// A copy of the template in `dir` whose tblTaskTurnpoint has the nine columns
// of older files (no ttpCircle), with the views over it adjusted. Returns the
// path of the new file.
std::string MakeNineColumnTaskTurnpointFile(const std::string& dir);

}  // namespace zaztest
