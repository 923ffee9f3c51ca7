// The rows of the tables a database file import merges: every element named
// as one of the tables, found in one walk over the document.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "zazorazari/interchange/XmlRowSource.h"

namespace zazorazari::interchange {

// Each table's elements anywhere in the document, in document order.
class XmlTableElements final : public XmlRowSource {
 public:
  XmlTableElements(const pugi::xml_document& document, std::span<const std::string> tables);
  void EachElement(const std::string& table, const std::function<void(pugi::xml_node)>& visit) const override;

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };
  std::unordered_map<std::string, std::vector<pugi::xml_node>, Hash, std::equal_to<>> m_elements;
};

}  // namespace zazorazari::interchange
