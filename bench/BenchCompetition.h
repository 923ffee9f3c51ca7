// Competition files and a silent progress form shared by the benchmarks.
#pragma once

#include <string>

#include "zazorazari/platform/Dispatch.h"

// A new competition file in the scratch folder with `pilots` pilots, `tasks`
// tasks (each with its formula row) and one result for every pilot in every
// task, written straight through SQLite so that making it costs little.
std::string FilledCompetition(const std::string& name, int pilots, int tasks);

// A progress form that accepts SetInfo and shows nothing.
zazorazari::DispatchPtr SilentProgress();
