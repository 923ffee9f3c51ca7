// Source texts of the facade's errors.
#include "zazorazari/database/FacadeOperation.h"

namespace zazorazari {

std::string FacadeSource(const std::string& operation) { return "ZAZorazari.CDatabase." + operation; }

}  // namespace zazorazari
