// Message boxes of the long operations at the command line: shown on
// standard error; a yes/no question is asked at a terminal unless the
// command line already answered it (--yes / --no).
#pragma once

#include <cstdint>
#include <string>

#include <zazorazari/platform/UserInterface.h>

namespace zazorazari::cli {

enum class PresetAnswer { None, Yes, No };

class TerminalUserInterface : public UserInterface {
 public:
  explicit TerminalUserInterface(PresetAnswer preset = PresetAnswer::None) : m_preset(preset) {}

  // Without a preset and without a terminal a question is answered No, so
  // nothing is overwritten unasked, and kept as unanswered.
  int32_t MsgBox(const std::string& prompt, int32_t buttons, const std::string& title) override;
  void SetMousePointer(int32_t) override {}

  // The question nobody could answer ("" when none), for the command to
  // fail with the flag that answers it.
  const std::string& Unanswered() const { return m_unanswered; }

 private:
  PresetAnswer m_preset;
  std::string m_unanswered;
};

}  // namespace zazorazari::cli
