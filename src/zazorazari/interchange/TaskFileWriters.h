// The task file formats: each turns a checked task and its optimised route
// into the bytes of a file.
#pragma once

#include <string>

#include "zazorazari/interchange/TaskDefinition.h"
#include "zazorazari/interchange/TaskRoute.h"

namespace zazorazari::interchange {

using TaskFileWriter = std::string (*)(const TaskDefinition& task, const TaskRoute& route);

struct TaskFileFormat {
  const char* name;       // as callers pass it
  const char* extension;  // that selects it when no name is given ("" for none)
  TaskFileWriter write;
};

// The format of that name (letter case ignored), else of the target's
// extension; fails with 5 naming the formats.
const TaskFileFormat& TaskFileFormatFor(const std::string& strFormat, const std::string& path);

std::string TaskCupFile(const TaskDefinition& task, const TaskRoute& route);
std::string TaskKmlFile(const TaskDefinition& task, const TaskRoute& route);
std::string TaskGeoJsonFile(const TaskDefinition& task, const TaskRoute& route);
std::string TaskMapSvg(const TaskDefinition& task, const TaskRoute& route);

}  // namespace zazorazari::interchange
