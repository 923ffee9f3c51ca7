// Entry point of the `zazorazari` tool: parses the command line, runs the
// chosen subcommand and turns failures into a plain sentence on standard
// error, followed by the library's error number and description.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "CommandSet.h"
#include "Refusal.h"
#include "Suggestion.h"
#include "Terminal.h"
#include <zazorazari/platform/Error.h>

namespace {

// Descriptions may span lines (wrapped engine messages); the report is one.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// "Outer<Error/n/source/inner>" reads "Outer: inner", innermost first kept.
std::string Plain(const std::string& description) {
  const size_t nested = description.find("<Error/");
  if (nested == std::string::npos) return description;
  size_t start = nested;
  for (int slash = 0; slash < 3 && start != std::string::npos; ++slash) start = description.find('/', start + 1);
  const size_t end = description.rfind('>');
  if (start == std::string::npos || end == std::string::npos || end < start) return description;
  const std::string outer = description.substr(0, nested);
  const std::string inner = Plain(description.substr(start + 1, end - start - 1));
  return outer.empty() ? inner : outer + (outer.back() == '.' ? " " : ": ") + inner;
}

void ReportError(const zazorazari::Error& e) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(e.Number()));
  std::cerr << "zazorazari: " << OneLine(Plain(e.Description())) << '\n'
            << "zazorazari: error " << e.Number() << " (" << hex << ") " << e.Source() << ": "
            << OneLine(e.Description()) << '\n';
}

// A first word that names no command gets a suggestion instead of CLI11's
// "A subcommand is required".
bool IsUnknownCommand(const CLI::App& app, int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] == '-') continue;
    std::vector<std::string> names;
    for (const CLI::App* sub : app.get_subcommands({})) names.push_back(sub->get_name());
    for (const auto& name : names) {
      if (name == argv[i]) return false;
    }
    std::cerr << "zazorazari: '" << argv[i] << "' is not a command." << zazorazari::cli::DidYouMean(argv[i], names)
              << " Run 'zazorazari help' for the list.\n";
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zazorazari::cli;
  CLI::App app{"ZAZorazari: the database of a free-flight competition scoring suite.", "zazorazari"};
  app.set_version_flag("--version", std::string(ZAZ_VERSION));
  app.require_subcommand(1);
  app.fallthrough();
  app.footer(
      "Run 'zazorazari help COMMAND' for a command's options and an example.\n"
      "Exit status: 0 success, 1 a refused or failed operation, 2 a usage error.");

  GlobalOptions options;
  app.add_flag("-q,--quiet", options.quiet, "Show no progress bars");

  CommandSet commands(app, options);
  AddFileCommands(commands);
  AddRecordCommands(commands);
  AddInterchangeCommands(commands);
  AddTurnpointFileCommands(commands);
  AddPilotListCommands(commands);
  AddTaskCommands(commands);
  AddTaskFileCommands(commands);
  AddUtmCommand(commands);
  AddDemoCommand(commands);
  AddReferenceCommands(commands);
  AddHelpCommands(commands);

  if (IsUnknownCommand(app, argc, argv)) return 2;
  try {
    app.parse(argc, argv);
    return commands.RunChosen();
  } catch (const CLI::ParseError& e) {
    // Help and version end well; every other parse failure is a usage error.
    return app.exit(e) == 0 ? 0 : 2;
  } catch (const UsageError& e) {
    EndProgressLine();
    std::cerr << "zazorazari: " << e.what() << '\n';
    return 2;
  } catch (const zazorazari::Error& e) {
    EndProgressLine();
    ReportError(e);
    return 1;
  } catch (const std::exception& e) {
    // Refusals, and file system failures of the tool itself.
    EndProgressLine();
    std::cerr << "zazorazari: " << OneLine(e.what()) << '\n';
    return 1;
  }
}
