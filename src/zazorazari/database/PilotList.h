// Registration lists: what an import of pilots from a CSV file is asked to
// do, and what it reports back line by line.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "zazorazari/database/Enums.h"

namespace zazorazari {

struct PilotListOptions {
  // Header texts (any letter case) and the pilot field or competition
  // attribute name each stands for, e.g. {"Surname", "pilLastName"}.
  std::vector<std::pair<std::string, std::string>> columnMap;
  // What the pilot rules do with a pilot who is already in the file.
  EnumOverwriteMode overwrite = enumOverwriteReturnPk;
  // Check every line, write nothing.
  bool dryRun = false;
};

// One thing wrong on one line of the file (line 1 is the header).
struct PilotListProblem {
  int32_t line = 0;
  std::string column;  // the header text as the file spells it
  std::string value;
  std::string message;
};

struct PilotListReport {
  int32_t lines = 0;     // pilot lines read
  int32_t added = 0;     // new pilots
  int32_t existing = 0;  // lines that named a pilot already there (kept)
  int32_t replaced = 0;  // pilots removed because a line replaced them
  bool written = false;  // false after a dry run or when any line has a problem
  std::vector<PilotListProblem> problems;
};

}  // namespace zazorazari
