// Terminal tests and the line-based question.
#include "Terminal.h"

#include <unistd.h>

#include <iostream>

namespace zazorazari::cli {

bool IsInteractive() { return isatty(STDIN_FILENO) == 1 && isatty(STDERR_FILENO) == 1; }

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

namespace {
bool progressLineOpen = false;
}

void MarkProgressLine() { progressLineOpen = true; }

void EndProgressLine() {
  if (progressLineOpen) std::cerr << '\n';
  progressLineOpen = false;
}

char AskChoice(const std::string& prompt, const std::string& choices, char fallback) {
  EndProgressLine();
  std::string line;
  while (true) {
    std::cerr << prompt << std::flush;
    if (!std::getline(std::cin, line)) {
      std::cerr << '\n';
      return fallback;
    }
    const auto first = line.find_first_not_of(" \t");
    if (first != std::string::npos && choices.find(line[first]) != std::string::npos) return line[first];
  }
}

}  // namespace zazorazari::cli
