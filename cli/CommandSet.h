// The tool's subcommands: each command group registers its subcommands here
// with an action; main runs the action of the one the command line chose.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

namespace zazorazari::cli {

// Options that every subcommand honours.
struct GlobalOptions {
  bool quiet = false;  // no progress bars
};

// An action returns the process exit status.
using Action = std::function<int()>;

class CommandSet {
 public:
  CommandSet(CLI::App& app, const GlobalOptions& options) : m_app(app), m_options(options) {}

  // A subcommand with its one-line description, an example and optional
  // further text shown by its --help; the action runs after the whole
  // command line has been parsed.
  CLI::App* Add(const std::string& name, const std::string& description, const std::string& example,
                Action action, const std::string& details = {});

  const GlobalOptions& Options() const { return m_options; }

  // Runs the chosen subcommand's action and returns its exit status.
  int RunChosen() const;

 private:
  struct Command {
    CLI::App* app;
    Action action;
  };
  CLI::App& m_app;
  const GlobalOptions& m_options;
  std::vector<Command> m_commands;
};

// Registration of each command group.
void AddFileCommands(CommandSet& commands);
void AddRecordCommands(CommandSet& commands);
void AddInterchangeCommands(CommandSet& commands);
void AddTurnpointFileCommands(CommandSet& commands);
void AddPilotListCommands(CommandSet& commands);
void AddTaskCommands(CommandSet& commands);
void AddUtmCommand(CommandSet& commands);
void AddDemoCommand(CommandSet& commands);

}  // namespace zazorazari::cli
