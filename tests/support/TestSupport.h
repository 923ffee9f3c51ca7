// Shared test helpers: a scratch folder per test, and paths of the built
// template and the source tree.
#pragma once

#include <filesystem>
#include <string>

namespace zaztest {

// A fresh folder under the system temp folder (or `base`), removed with
// everything in it.
class ScratchDir {
 public:
  explicit ScratchDir(const std::filesystem::path& base = std::filesystem::temp_directory_path());
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::string File(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};

// Folder that holds the built template.mdb.
inline std::string TemplateDir() { return ZAZ_TEMPLATE_DIR; }
inline std::string SourceDir() { return ZAZ_SOURCE_DIR; }

}  // namespace zaztest
