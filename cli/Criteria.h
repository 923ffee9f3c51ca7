// --where and --order texts checked against the fields of the type they
// filter: a column the type lacks is a usage error naming it, and a date
// field compared with a quoted date (ISO 8601 or any form a field value
// takes) compares as a date instead of as text, which would match nothing.
#pragma once

#include <string>

#include <zazorazari/dataobject/CDataObject.h>

namespace zazorazari::cli {

// The criteria with quoted dates beside date fields written as the engine's
// #m/d/yyyy# literals. `option` names the option in messages.
std::string CheckedCriteria(const CDataObject& shape, const std::string& text, const std::string& option);

}  // namespace zazorazari::cli
