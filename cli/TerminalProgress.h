// The progress object (frmProgress) the long operations report to: a bar on
// standard error when it is a terminal, silent otherwise or with --quiet.
#pragma once

#include <memory>
#include <string>

#include "CommandSet.h"
#include <zazorazari/platform/Dispatch.h>

namespace zazorazari::cli {

class TerminalProgress {
 public:
  TerminalProgress(std::string label, const GlobalOptions& options);
  ~TerminalProgress();  // ends the bar's line
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  // The host object handed to the operation: SetInfo, RaiseErrorIfCanceled
  // and CancelPressed (never pressed: Ctrl-C ends the process instead).
  DispatchPtr Object() const { return m_object; }

 private:
  struct Bar;
  std::shared_ptr<Bar> m_bar;
  DispatchPtr m_object;
};

}  // namespace zazorazari::cli
