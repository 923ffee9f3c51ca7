// A text progress bar driven by the operations' SetInfo calls.
#include "TerminalProgress.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "Terminal.h"
#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli {

namespace {
constexpr int kBarWidth = 30;
}

struct TerminalProgress::Bar {
  std::string label;
  bool visible = false;
  int lastPercent = -1;

  void Draw(double percent) {
    const int whole = static_cast<int>(std::clamp(percent, 0.0, 100.0));
    if (!visible || whole == lastPercent) return;
    lastPercent = whole;
    MarkProgressLine();
    const int filled = whole * kBarWidth / 100;
    std::cerr << '\r' << label << " [" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] "
              << whole << "% " << std::flush;
  }

  void End() { EndProgressLine(); }
};

TerminalProgress::TerminalProgress(std::string label, const GlobalOptions& options)
    : m_bar(std::make_shared<Bar>()) {
  m_bar->label = std::move(label);
  m_bar->visible = !options.quiet && StderrIsTerminal();
  auto object = std::make_shared<DispatchObject>();
  std::weak_ptr<Bar> bar = m_bar;
  object->OnMethod("SetInfo",
                   [bar](std::span<const Variant> args) {
                     if (auto b = bar.lock(); b && !args.empty()) b->Draw(CDbl(args[0]));
                     return Variant();
                   })
      .OnPut("RaiseErrorIfCanceled", [](const Variant&) {})
      .OnGet("CancelPressed", [] { return Variant(false); });
  m_object = object;
}

TerminalProgress::~TerminalProgress() { m_bar->End(); }

}  // namespace zazorazari::cli
