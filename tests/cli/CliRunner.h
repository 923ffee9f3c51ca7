// Runs the built `zazorazari` executable as a user would: arguments, text on
// standard input, and what it printed and returned.
#pragma once

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace zaztest {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the tool in `dir` (its files hold the streams); standard input is
// `input`, never a terminal.
CliResult RunCli(const ScratchDir& dir, const std::vector<std::string>& args, const std::string& input = "");

// Runs a shell command and returns its exit status (for xmllint).
int RunShell(const std::string& command);

// `create FILE --template-dir <built template>`, expected to succeed.
void CreateFile(const ScratchDir& dir, const std::string& file, bool catalog = false);

// Number of lines of a text.
size_t LineCount(const std::string& text);

}  // namespace zaztest
