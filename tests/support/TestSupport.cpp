// Scratch folders for tests that write real files.
#include "support/TestSupport.h"

#include <stdlib.h>

#include <stdexcept>

namespace zaztest {

ScratchDir::ScratchDir(const std::filesystem::path& base) {
  std::string pattern = (base / "zaztest-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

}  // namespace zaztest
