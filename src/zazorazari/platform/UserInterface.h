// The message box and the mouse pointer of the host's desktop, as an
// interface the facade is given; the default one never waits for a person.
#pragma once

#include <cstdint>
#include <string>

#pragma GCC visibility push(default)
namespace zazorazari {

constexpr int32_t vbOKOnly = 0;
constexpr int32_t vbYesNo = 4;
constexpr int32_t vbExclamation = 48;
constexpr int32_t vbOK = 1;
constexpr int32_t vbYes = 6;
constexpr int32_t vbNo = 7;
constexpr int32_t vbDefaultPointer = 0;
constexpr int32_t vbHourglass = 11;

extern const char* const kDefaultMsgBoxTitle;  // "ZAZorazari"

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual int32_t MsgBox(const std::string& prompt, int32_t buttons, const std::string& title) = 0;
  virtual void SetMousePointer(int32_t pointer) = 0;
};

// Writes every prompt to standard error; answers vbNo to a question (so
// nothing is overwritten unasked) and vbOK otherwise.
class NonInteractiveUserInterface : public UserInterface {
 public:
  int32_t MsgBox(const std::string& prompt, int32_t buttons, const std::string& title) override;
  void SetMousePointer(int32_t pointer) override;
};

}  // namespace zazorazari
#pragma GCC visibility pop
