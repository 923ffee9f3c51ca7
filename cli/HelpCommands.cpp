// `help [COMMAND]`, and `generate man|bash-completion`, which writes the man
// page and the bash completion from the same definitions the parser uses,
// so neither can drift from the tool (the build runs it).
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <utility>

#include "CommandSet.h"
#include "Refusal.h"
#include "Suggestion.h"
#include "UsageDocuments.h"

namespace zazorazari::cli {

namespace {

int Help(CLI::App& app, const std::string& command) {
  if (command.empty()) {
    // app.help() would explain the chosen subcommand, that is `help` itself.
    std::cout << app.get_formatter()->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal);
    return 0;
  }
  std::vector<std::string> names;
  for (CLI::App* sub : app.get_subcommands({})) {
    if (sub->get_name() == command) {
      std::cout << sub->help();
      return 0;
    }
    names.push_back(sub->get_name());
  }
  throw UsageError("'" + command + "' is not a command." + DidYouMean(command, names));
}

int Generate(const CLI::App& app, const std::string& document, const std::string& path) {
  const std::string text = document == "man" ? ManPage(app) : BashCompletion(app);
  if (path.empty()) {
    std::cout << text;
    return 0;
  }
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out.flush()) throw Refusal("Cannot write '" + path + "'.");
  return 0;
}

}  // namespace

void AddHelpCommands(CommandSet& commands) {
  auto command = std::make_shared<std::string>();
  CLI::App& app = commands.App();
  CLI::App* help = commands.Add("help", "Show the commands, or one command's options and an example",
                                "zazorazari help import-wpt", [command, &app] { return Help(app, *command); });
  help->add_option("COMMAND", *command, "The command to explain");

  auto document = std::make_shared<std::pair<std::string, std::string>>();
  CLI::App* generate = commands.Add("generate", "Write the man page or the bash completion",
                                    "zazorazari generate man --output zazorazari.1",
                                    [document, &app] { return Generate(app, document->first, document->second); });
  generate->add_option("DOCUMENT", document->first, "man or bash-completion")
      ->required()
      ->check(CLI::IsMember({"man", "bash-completion"}));
  generate->add_option("-o,--output", document->second, "The file to write (default: standard output)");
  generate->group("");  // for the build, not for people
}

}  // namespace zazorazari::cli
