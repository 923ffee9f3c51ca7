// The current local date and time as a date value (days since 30 December
// 1899, the time of day as the fraction).
#pragma once

namespace zazorazari {

double Now();

}  // namespace zazorazari
