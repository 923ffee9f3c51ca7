// The one exception type that leaves the component: a number, a source and a
// description, as the scoring host's error objects carry them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#pragma GCC visibility push(default)
namespace zazorazari {

class Error : public std::runtime_error {
 public:
  Error(int32_t number, std::string source, std::string description);

  int32_t Number() const { return m_number; }
  const std::string& Source() const { return m_source; }
  const std::string& Description() const { return m_description; }

 private:
  int32_t m_number;
  std::string m_source;
  std::string m_description;
};

}  // namespace zazorazari
#pragma GCC visibility pop
