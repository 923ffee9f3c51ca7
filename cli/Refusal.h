// A refused or failed operation the tool itself detects, reported as its
// plain message (exit status 1), and a usage error found after parsing: an
// unknown type, field or column (exit status 2, like CLI11's own).
#pragma once

#include <stdexcept>
#include <string>

namespace zazorazari::cli {

class Refusal : public std::runtime_error {
 public:
  explicit Refusal(const std::string& message) : std::runtime_error(message) {}
};

class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace zazorazari::cli
