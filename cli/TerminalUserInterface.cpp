// Message boxes on standard error, questions answered at the terminal.
#include "TerminalUserInterface.h"

#include <iostream>

#include "Terminal.h"

namespace zazorazari::cli {

int32_t TerminalUserInterface::MsgBox(const std::string& prompt, int32_t buttons, const std::string& title) {
  const std::string heading = title.empty() ? std::string(kDefaultMsgBoxTitle) : title;
  if ((buttons & 7) != vbYesNo) {
    EndProgressLine();
    std::cerr << heading << ": " << prompt << '\n';
    return vbOK;
  }
  if (m_preset == PresetAnswer::None && IsInteractive()) {
    const char answer = AskChoice(heading + ": " + prompt + "? [y/n] ", "yYnN", 'n');
    return answer == 'y' || answer == 'Y' ? vbYes : vbNo;
  }
  const bool yes = m_preset == PresetAnswer::Yes;
  if (m_preset == PresetAnswer::None && m_unanswered.empty()) m_unanswered = prompt + "?";
  EndProgressLine();
  std::cerr << heading << ": " << prompt << "? " << (yes ? "yes" : "no") << '\n';
  return yes ? vbYes : vbNo;
}

}  // namespace zazorazari::cli
