// XCTrack task files: the .xctsk JSON file (version 1) and the compact form
// QR codes carry ("XCTSK:" and version 2 JSON with polyline-encoded
// positions), written from and read into a TaskDefinition.
#pragma once

#include <string>

#include "zazorazari/interchange/TaskDefinition.h"

namespace zazorazari::interchange {

std::string XctskFile(const TaskDefinition& task);
std::string XctskQrText(const TaskDefinition& task);

// Either form, told apart by the "XCTSK:" prefix. Times of day come back as
// fractions of a day. Faults fail with 13 (not JSON, a value of the wrong
// kind), 9 (a required member missing) or 5 (a task kind this component
// does not keep), naming the turnpoint and member.
TaskDefinition ReadXctsk(const std::string& text);

}  // namespace zazorazari::interchange
