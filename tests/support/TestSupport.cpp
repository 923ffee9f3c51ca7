// Scratch folders for tests that write real files.
#include "support/TestSupport.h"

#include <stdlib.h>

#include <stdexcept>

namespace zaztest {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zaztest-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

}  // namespace zaztest
