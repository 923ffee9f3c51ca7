// roff and bash text from the CLI11 definitions. Hidden commands (group "")
// are left out of both.
#include "UsageDocuments.h"

#include <sstream>
#include <vector>

namespace zazorazari::cli {

namespace {

std::vector<const CLI::App*> VisibleCommands(const CLI::App& app) {
  std::vector<const CLI::App*> commands;
  for (const CLI::App* sub : app.get_subcommands([](const CLI::App* s) { return !s->get_group().empty(); })) {
    commands.push_back(sub);
  }
  return commands;
}

std::vector<const CLI::Option*> Arguments(const CLI::App& command, bool positional) {
  std::vector<const CLI::Option*> options;
  for (const CLI::Option* option : command.get_options()) {
    if (option->get_positional() == positional && option->get_name() != "--help" && !option->get_group().empty()) {
      options.push_back(option);
    }
  }
  return options;
}

bool TakesValue(const CLI::Option& option) { return option.get_expected_min() > 0 || option.get_type_size() > 0; }

// The choice words of an option that takes one of a fixed set ("a|b|c").
std::string Choices(const CLI::Option& option) {
  std::string words = option.get_type_name();
  if (words.find('|') == std::string::npos) return "";
  for (char& c : words) {
    if (c == '|') c = ' ';
  }
  return words;
}

std::string Roff(const std::string& text) {
  std::string out;
  bool lineStart = true;
  for (char c : text) {
    if (lineStart && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
    lineStart = c == '\n';
  }
  return out;
}

std::string Synopsis(const CLI::App& command) {
  std::string text = command.get_name();
  for (const CLI::Option* option : Arguments(command, true)) {
    const std::string name = option->get_name(true) + (option->get_items_expected_max() > 1 ? "..." : "");
    text += option->get_required() ? " " + name : " [" + name + "]";
  }
  for (const CLI::Option* option : Arguments(command, false)) {
    text += " [" + option->get_name() + (TakesValue(*option) ? " " + option->get_type_name() : "") + "]";
  }
  return text;
}

}  // namespace

std::string ManPage(const CLI::App& app) {
  std::ostringstream out;
  out << ".TH ZAZORAZARI 1 \"\" \"zazorazari " << ZAZ_VERSION << "\" \"User Commands\"\n"
      << ".SH NAME\nzazorazari \\- " << Roff(app.get_description()) << "\n"
      << ".SH SYNOPSIS\n.B zazorazari\n[\\fB\\-\\-quiet\\fR] \\fICOMMAND\\fR \\fIARGS\\fR...\n"
      << ".SH DESCRIPTION\nOne subcommand per job. Results go to standard output; progress bars, questions "
         "and messages to standard error.\n"
      << ".SH OPTIONS\n";
  for (const CLI::Option* option : Arguments(app, false)) {
    out << ".TP\n\\fB" << Roff(option->get_name()) << "\\fR\n" << Roff(option->get_description()) << "\n";
  }
  out << ".SH COMMANDS\n";
  for (const CLI::App* command : VisibleCommands(app)) {
    out << ".SS \"" << Roff(Synopsis(*command)) << "\"\n" << Roff(command->get_description()) << ".\n";
    for (bool positional : {true, false}) {
      for (const CLI::Option* option : Arguments(*command, positional)) {
        out << ".TP\n\\fB" << Roff(positional ? option->get_name(true) : option->get_name()) << "\\fR\n"
            << Roff(option->get_description()) << "\n";
      }
    }
    if (!command->get_footer().empty()) out << ".PP\n.nf\n" << Roff(command->get_footer()) << "\n.fi\n";
  }
  out << ".SH EXIT STATUS\n.TP\n0\nsuccess\n.TP\n1\na refused or failed operation\n.TP\n2\na usage error "
         "(unknown command, type, field or column; a missing argument)\n"
      << ".SH SEE ALSO\n\\fBsqlite3\\fR(1)\n";
  return out.str();
}

std::string BashCompletion(const CLI::App& app) {
  std::ostringstream commands;
  std::ostringstream options;
  std::ostringstream choices;
  for (const CLI::App* command : VisibleCommands(app)) {
    commands << command->get_name() << ' ';
    options << "    " << command->get_name() << ") options=\"--help";
    for (const CLI::Option* option : Arguments(*command, false)) {
      options << ' ' << option->get_name();
      const std::string words = Choices(*option);
      if (!words.empty()) {
        choices << "    " << command->get_name() << ':' << option->get_name() << ") words=\"" << words << "\" ;;\n";
      }
    }
    options << "\" ;;\n";
  }
  std::ostringstream out;
  out << "# bash completion for zazorazari, written by 'zazorazari generate bash-completion'\n"
      << "_zazorazari() {\n"
      << "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command= options= words= i\n"
      << "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
      << "    [[ ${COMP_WORDS[i]} == -* ]] || { command=${COMP_WORDS[i]}; break; }\n"
      << "  done\n"
      << "  if [[ -z $command ]]; then\n"
      << "    COMPREPLY=($(compgen -W \"" << commands.str() << "--quiet --version --help\" -- \"$cur\"))\n"
      << "    return\n"
      << "  fi\n"
      << "  case \"$command:$prev\" in\n"
      << choices.str() << "  esac\n"
      << "  if [[ -n $words ]]; then COMPREPLY=($(compgen -W \"$words\" -- \"$cur\")); return; fi\n"
      << "  case $command in\n"
      << options.str() << "  esac\n"
      << "  if [[ $cur == -* ]]; then\n"
      << "    COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
      << "  else\n"
      << "    COMPREPLY=($(compgen -f -- \"$cur\"))\n"
      << "  fi\n"
      << "}\n"
      << "complete -o filenames -F _zazorazari zazorazari\n";
  return out.str();
}

}  // namespace zazorazari::cli
