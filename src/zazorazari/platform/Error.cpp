// The component's exception type: what() carries the description so that a
// plain std::exception handler still shows something readable.
#include "zazorazari/platform/Error.h"

#include <utility>

namespace zazorazari {

Error::Error(int32_t number, std::string source, std::string description)
    : std::runtime_error(description),
      m_number(number),
      m_source(std::move(source)),
      m_description(std::move(description)) {}

}  // namespace zazorazari
