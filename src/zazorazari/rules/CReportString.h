// Rules for writing and deleting the ReportString entity.
#pragma once

#include "zazorazari/rules/CRule.h"

namespace zazorazari {

class CReportString : public CRule {};

}  // namespace zazorazari
