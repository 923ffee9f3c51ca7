// Subcommand registration and dispatch.
#include "CommandSet.h"

namespace zazorazari::cli {

CLI::App* CommandSet::Add(const std::string& name, const std::string& description, const std::string& example,
                          Action action, const std::string& details) {
  CLI::App* sub = m_app.add_subcommand(name, description);
  sub->footer((details.empty() ? "" : details + "\n\n") + "Example:\n  " + example);
  m_commands.push_back({sub, std::move(action)});
  return sub;
}

int CommandSet::RunChosen() const {
  for (const auto& command : m_commands) {
    if (command.app->parsed()) return command.action();
  }
  return 0;
}

}  // namespace zazorazari::cli
