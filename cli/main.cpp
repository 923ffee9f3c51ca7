// Entry point of the `zazorazari` tool: parses the command line, runs the
// chosen subcommand and turns failures into one line on standard error.
#include <cstdio>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "CommandSet.h"
#include "zazorazari/platform/Error.h"

namespace {

// Descriptions may span lines (wrapped engine messages); the report is one.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

void ReportError(const zazorazari::Error& e) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(e.Number()));
  std::cerr << "zazorazari: error " << e.Number() << " (" << hex << ") " << e.Source() << ": "
            << OneLine(e.Description()) << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zazorazari::cli;
  CLI::App app{"ZAZorazari: the database of a free-flight competition scoring suite.", "zazorazari"};
  app.set_version_flag("--version", std::string(ZAZ_VERSION));
  app.require_subcommand(1);
  app.fallthrough();
  app.footer("Run 'zazorazari COMMAND --help' for a command's options and an example.");

  GlobalOptions options;
  app.add_flag("-q,--quiet", options.quiet, "Show no progress bars");

  CommandSet commands(app, options);
  AddFileCommands(commands);
  AddRecordCommands(commands);
  AddInterchangeCommands(commands);
  AddTurnpointFileCommands(commands);
  AddPilotListCommands(commands);
  AddTaskCommands(commands);
  AddUtmCommand(commands);
  AddDemoCommand(commands);

  try {
    app.parse(argc, argv);
    return commands.RunChosen();
  } catch (const CLI::ParseError& e) {
    // Help and version end well; every other parse failure is a usage error.
    return app.exit(e) == 0 ? 0 : 2;
  } catch (const zazorazari::Error& e) {
    ReportError(e);
    return 1;
  } catch (const std::exception& e) {
    // File system failures of the tool itself (a folder it cannot make).
    std::cerr << "zazorazari: error: " << OneLine(e.what()) << '\n';
    return 1;
  }
}
