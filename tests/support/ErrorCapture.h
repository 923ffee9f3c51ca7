// The zazorazari::Error a call raises, for tests that check its number,
// source and text.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "zazorazari/platform/Error.h"

namespace zaztest {

// Fails the test when the call raises nothing.
inline zazorazari::Error CaughtError(const std::function<void()>& call) {
  try {
    call();
  } catch (const zazorazari::Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error raised";
  return zazorazari::Error(0, "", "");
}

}  // namespace zaztest
