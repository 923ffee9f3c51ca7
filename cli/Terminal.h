// Whether a person is at the terminal, and how the tool asks them.
#pragma once

#include <string>

namespace zazorazari::cli {

// True when standard input and standard error are both a terminal, so that
// a question can be shown and answered.
bool IsInteractive();

// True when standard error is a terminal (progress bars).
bool StderrIsTerminal();

// Progress bars redraw one line of standard error; whatever else is
// written there first ends that line.
void MarkProgressLine();  // a bar is on the current line
void EndProgressLine();   // starts a new line if a bar is on the current one

// Shows the prompt on standard error and reads a line from standard input
// until its first letter is one of `choices`; end of input gives
// `fallback`. Letters are compared exactly (s and S may mean different things).
char AskChoice(const std::string& prompt, const std::string& choices, char fallback);

}  // namespace zazorazari::cli
