// The default user interface for unattended runs: prompts go to standard
// error and every question is answered in the way that changes nothing.
#include "zazorazari/platform/UserInterface.h"

#include <iostream>

namespace zazorazari {

const char* const kDefaultMsgBoxTitle = "ZAZorazari";

int32_t NonInteractiveUserInterface::MsgBox(const std::string& prompt, int32_t buttons, const std::string& title) {
  std::cerr << (title.empty() ? kDefaultMsgBoxTitle : title) << ": " << prompt << '\n';
  return (buttons & 7) == vbYesNo ? vbNo : vbOK;
}

// Nobody watches the pointer when no one sits at the screen.
void NonInteractiveUserInterface::SetMousePointer(int32_t /*pointer*/) {}

}  // namespace zazorazari
