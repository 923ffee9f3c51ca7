// Local wall-clock time as the engine's date type.
#include "zazorazari/platform/Clock.h"

#include <ctime>

#include "zazorazari/platform/Conversions.h"

namespace zazorazari {

double Now() {
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return DateSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         TimeSerial(local.tm_hour, local.tm_min, local.tm_sec);
}

}  // namespace zazorazari
