// Where a database file import takes the rows of a table from: a parsed
// whole document, or the pieces of a large file parsed one at a time.
#pragma once

#include <functional>
#include <string>

#include <pugixml.hpp>

namespace zazorazari::interchange {

class XmlRowSource {
 public:
  virtual ~XmlRowSource() = default;
  // Every element named `table` anywhere in the document, in document order.
  virtual void EachElement(const std::string& table, const std::function<void(pugi::xml_node)>& visit) const = 0;
};

}  // namespace zazorazari::interchange
